WScript.Echo Len("abc"), Len(1), Left(123, 2), UCase(True), IsNull(Len(Null)), Len(Empty), TypeName(Len("x"))
WScript.Echo Mid("abcdef", 2, 3), Mid("abcdef", 4), Mid("abc", 5) & "|", Right("abcdef", 2), Right("ab", 5)
WScript.Echo InStr("abcdef", "cd"), InStr(4, "abcdef", ""), InStr(20, "abcdef", ""), InStr(1, "ABC", "b", 1), InStr("abc", "z"), IsNull(InStr(Null, "a"))
WScript.Echo InStrRev("abcd", "bc", 2), InStrRev("abcd", "bc", 3), InStrRev("abcabc", "b"), InStrRev("abc", "", 2)
WScript.Echo Replace("xx testxx(xx)", "xx", "!", 2), Replace(123, 2, 6), Replace("aaa", "a", "b", 1, 2), Replace("AbA", "a", "x", 1, -1, 1)
s = Split("a,b,,c", ",") : WScript.Echo UBound(s), s(2) = "", s(3), UBound(Split("a b c", " ", 2)), Split("a b c", " ", 2)(1)
WScript.Echo Join(Array(1, "x", Empty, 2.5), "-") & "|", Join(Array()) & "|", Join(Array("a","b"))
WScript.Echo "[" & Trim("  a b  ") & "]", "[" & LTrim("  a ") & "]", "[" & RTrim(" a  ") & "]", LCase("AbC"), String(3, "xy"), StrReverse(123)
WScript.Echo StrComp("a", "b"), StrComp("B", "a"), StrComp("a", "A", 1), StrComp("a", "a"), Asc("A"), Asc(3), Chr(65), AscW("a")
f = Filter(Array("apple", "banana", "cherry"), "an") : WScript.Echo UBound(f), f(0)
f = Filter(Array("apple", "banana", "cherry"), "an", False) : WScript.Echo UBound(f), f(1)
WScript.Echo "a" & vbTab & "b", Len(vbCrLf), Asc(vbLf), "say ""hi"""
WScript.Echo Escape("a b&c/d"), Unescape("a%20b%26%u0041"), Unescape(Escape("x=1;y"))
On Error Resume Next
x = Left("abc", -1) : WScript.Echo Err.Number : Err.Clear
x = Mid("abc", 0) : WScript.Echo Err.Number : Err.Clear
x = Asc("") : WScript.Echo Err.Number : Err.Clear
x = InStrRev(Null, "a") : WScript.Echo Err.Number : Err.Clear
x = Join(5) : WScript.Echo Err.Number : Err.Clear
x = Space(Null) : WScript.Echo Err.Number : Err.Clear
