' Operator precedence, literal subtypes, result subtypes and Null/Empty rules.
WScript.Echo 2+3\4, 12/3\2, 7 Mod 4+2, 5\2, -3^2, 2^3^2, 2*3^2
WScript.Echo TypeName(1), TypeName(32767), TypeName(32768), TypeName(2147483648), TypeName(-32768), TypeName(-32767)
WScript.Echo TypeName(1.0), TypeName(1e2), &HFF, &HFFFF, &H8000, &HFFFF&, TypeName(&HFFFF&), &HFFFFFFFF&, TypeName(&HFFFFFFFF&)
WScript.Echo True + True, TypeName(True + True), False + 6 + True
WScript.Echo TypeName(CByte(255) + CByte(255)), CByte(255) + CByte(255), TypeName(32767 + 32767), TypeName(&H7FFFFFFF& + 1)
WScript.Echo "1" + 1, TypeName("1" + 1), "a" + "b", TypeName("a" + Empty)
WScript.Echo 3/2, TypeName(4/2), 4.6 \ 1.5, 4.6 \ 1.49, 11.6 Mod 5.5, -7 Mod 3
WScript.Echo 1 = 1 < 0, Not 1 = 0, --1, +--+-+1
WScript.Echo IsNull(Null + 1), IsNull(0 = Null), "ab " & Null & "c", 1 & 100000, True & False
WScript.Echo Null Or True, IsNull(Null And True), False Imp Null, IsNull(Null Xor True), Not CByte(0), TypeName(Not CByte(0))
WScript.Echo "ABC" < "abc", Empty = "", Empty = 0, "" = True, 0 > True, False > True
WScript.Echo 0.1 + 0.2, 1E+15, 0.00001, 123456789012345678, CSng(654322.23456)
WScript.Echo TypeName(#1/1/2000# + 1), #1/1/2000# - #12/31/1999#, TypeName(#1/1/2000# - #12/31/1999#)
WScript.Echo 255 And 15, TypeName(True And False), 6 Xor 3, TypeName(CByte(1) Or CByte(2)), -1 Eqv 0
WScript.Echo "x" &hi, &h01or&h02, 010, .5e1, 10., 1e-94938484
WScript.Echo CSng(0.001 * 0.001) = 0.000001, CSng(0.1) = 0.1, CSng(0.1) < 0.1, 0.1 > CSng(0.1), CDbl(CSng(0.1)) = 0.1, CSng(1.5) = 1.5, CSng(0.1) = CDbl(0.1)
Select Case CSng(0.1) : Case 0.1 : WScript.Echo "Select Case CSng(0.1) matches 0.1" : Case Else : WScript.Echo "no match" : End Select
