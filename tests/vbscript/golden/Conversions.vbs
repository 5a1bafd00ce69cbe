' Conversion functions, banker's rounding, Int/Fix/Round, Hex/Oct and type inspection.
WScript.Echo CInt(0.5), CInt(1.5), CInt(-36.5), CInt(-36.75), CInt(2.5), CLng("12"), TypeName(CLng(1))
WScript.Echo CByte(True), CByte("-0.5"), CBool("0"), CBool("0.1"), CBool("true"), CBool("#FALSE#"), CBool(Empty)
WScript.Echo CStr(3.5), CStr(True), CCur(0.000149), TypeName(CCur(1) + 0.5), CDbl("1e3")
WScript.Echo Int(-1.99), Fix(-1.99), Int(True), TypeName(Int("2.5")), Round(3.5), Round(-3.5), Round(2.5), Round(-3.3), TypeName(Round(True))
WScript.Echo Round(3.14159, 2), Abs(-32769), TypeName(Abs(-32769)), Abs(True), TypeName(Abs("-1")), Sgn(-5.5), TypeName(Sgn(2.5))
WScript.Echo Hex(-1), Hex(-32768), Hex(&HDEADBEEF&), Hex(228.5), Hex("17"), Oct(-1), Oct(8.5), Oct(9.5)
WScript.Echo Space(4.5) & "|", Space(5.5) & "|", Left("abcdef", 2.5), Chr(119.5)
WScript.Echo IsNumeric("44"), IsNumeric("abc"), IsNumeric(Empty), IsNumeric(Null), IsDate(4), IsDate("1/1/2000"), IsEmpty(Empty), IsEmpty(Null)
WScript.Echo VarType(1), VarType("s"), VarType(Array()), VarType(Null), TypeName(Null), TypeName(Empty), TypeName(Nothing), TypeName(Array(1))
WScript.Echo RGB(1, &H100&, &H111&) = &HFFFF01&, RGB(255, 0, 0)
On Error Resume Next
x = CInt(32767.5) : WScript.Echo Err.Number, Err.Description : Err.Clear
x = CInt("TRUE") : WScript.Echo Err.Number : Err.Clear
x = CStr(Null) : WScript.Echo Err.Number, Err.Description : Err.Clear
x = Sqr(-1) : WScript.Echo Err.Number : Err.Clear
x = CInt(-32768.5) : WScript.Echo Err.Number, x
On Error GoTo 0
' Objects convert through their default property.
Class Price
  Public Default Property Get Value : Value = 2.5 : End Property
End Class
Set p = New Price
WScript.Echo CSng(p), TypeName(CSng(p)), CDbl(p), CInt(p), CLng(p), CBool(p), CByte(p), CCur(p), CStr(p), CDate(p) = CDate(2.5)
