' LenB, LeftB, RightB, MidB, InStrB and AscB count the two bytes of each UTF-16 character.
s = "abcdef"
WScript.Echo LenB(s), LenB(""), IsNull(LenB(Null)), Len(s)
WScript.Echo LeftB(s, 4), RightB(s, 6), MidB(s, 3, 4), MidB(s, 5)
WScript.Echo InStrB(s, "cd"), InStrB(4, s, "b"), InStrB(s, "x"), InStrB(1, "ABC", "b", 1)
WScript.Echo AscB("A"), TypeName(AscB("A")), LeftB(s, 3), LenB(123)
On Error Resume Next
x = LeftB(s, -1) : WScript.Echo Err.Number : Err.Clear
x = AscB("") : WScript.Echo Err.Number : Err.Clear
x = MidB(s, 0) : WScript.Echo Err.Number : Err.Clear
