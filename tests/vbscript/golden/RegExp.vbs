' The RegExp object: pattern constructs, IgnoreCase/Global/Multiline, Matches, SubMatches,
' Replace with $ sequences, code-unit positions of non-ASCII text, empty matches, bad patterns.
Function Rx(pattern, flags)
  Dim r : Set r = New RegExp
  r.Pattern = pattern
  r.IgnoreCase = InStr(flags, "i") > 0
  r.Global = InStr(flags, "g") > 0
  r.Multiline = InStr(flags, "m") > 0
  Set Rx = r
End Function
' Every match as "index:value", or "-" when there is none.
Function MF(pattern, text, flags)
  Dim ms, m, out
  Set ms = Rx(pattern, flags).Execute(text)
  If ms.Count = 0 Then MF = "-" : Exit Function
  For Each m In ms
    If out <> "" Then out = out & " "
    out = out & m.FirstIndex & ":" & m.Value
  Next
  MF = out
End Function
Function M(pattern, text) : M = MF(pattern, text, "") : End Function
Function G(pattern, text) : G = MF(pattern, text, "g") : End Function
' Index and length of the first match, for matches of invisible characters.
Function Idx(pattern, text)
  Dim ms : Set ms = Rx(pattern, "").Execute(text)
  If ms.Count = 0 Then Idx = "-" Else Idx = ms(0).FirstIndex & "+" & ms(0).Length
End Function
' The submatch count of the first match and each submatch, Empty ones as E.
Function Subs(pattern, text)
  Dim ms, s, out : Set ms = Rx(pattern, "").Execute(text)
  For Each s In ms(0).SubMatches
    If IsEmpty(s) Then out = out & "[E]" Else out = out & "[" & s & "]"
  Next
  Subs = ms(0).SubMatches.Count & " " & out
End Function
Function Rep(pattern, text, replacement, flags) : Rep = Rx(pattern, flags).Replace(text, replacement) : End Function

Set re = New RegExp
WScript.Echo TypeName(re), "[" & re.Pattern & "]", re.IgnoreCase, re.Global, re.Multiline, TypeName(CreateObject("VBScript.RegExp"))
re.Pattern = "b" : Set ms = re.Execute("abc")
WScript.Echo TypeName(ms), TypeName(ms(0)), TypeName(ms(0).SubMatches), TypeName(ms.Count), TypeName(ms(0).FirstIndex), TypeName(ms(0).Length), TypeName(re.Test("b")), CStr(ms(0)), ms.Item(0).Value & "|"
re.Global = 1 : re.IgnoreCase = "True" : WScript.Echo re.Global, re.IgnoreCase, re.Pattern, re.Test("ABC"), re.Test("xyz")
' literals and escapes
WScript.Echo M("a\.b", "axb a.b"), M("\/\$\^\*\+\?\(\)\[\]\{\}\|\\", "x/$^*+?()[]{}|\"), M("\x41\u00e9", "zAé"), M("\101\q", "xAq")
WScript.Echo Idx("\n", "ab" & vbLf), Idx("\r", "a" & vbCr), Idx("\t", vbTab), Idx("\f", "x" & vbFormFeed), Idx("\v", "xx" & vbVerticalTab), Idx("\0", "a" & vbNullChar), Idx("\cJ", "-" & vbLf)
' any unit, classes and class escapes
WScript.Echo M("a.c", "abc"), Idx("a.c", "a" & vbLf & "c a-c"), Idx(".", vbCr & vbLf & ChrW(&H2028) & ChrW(&H2029) & "x"), M("[bc]+", "abcd"), M("[^a-c]+", "abcxyz"), M("[a-c\d]+", "zz1a2b")
WScript.Echo M("\d+", "ab123c"), M("\D+", "12ab3"), M("\w+", "  foo_1 bar"), M("\W+", "ab, cd"), Idx("\s+", "a " & vbTab & vbCrLf & "b"), M("\S+", "  ab c"), M("[^\d\s]+", "1 ab2")
WScript.Echo M("[-a]+", "x-a-"), M("[a-]+", "xa-"), M("[\]]", "a]"), M("[\\]", "a\"), M("[.]", "a.b"), M("[\x41-\x43]+", "xABCD"), Idx("[\b]", "a" & Chr(8))
' anchors, Multiline and word boundaries
WScript.Echo M("^a", "ba"), M("^b", "ba"), M("a$", "ab"), M("b$", "ab"), G("^\w", "ab" & vbCrLf & "cd" & vbLf & "ef"), G("\w$", "ab" & vbCrLf & "cd" & vbLf & "ef")
WScript.Echo MF("^\w", "ab" & vbCrLf & "cd" & vbLf & "ef", "gm"), MF("\w$", "ab" & vbCrLf & "cd" & vbLf & "ef", "gm"), MF("^$", "a" & vbLf & vbLf & "b", "gm")
WScript.Echo G("\bcat\b", "cat concat cat."), G("\Bcat", "cat concat"), M("\b", "  ab") & "|"
' groups, lookahead and back-references
WScript.Echo Subs("(a)(b)?(c)", "ac"), Subs("(?:ab)+(c)", "ababc"), Subs("((a)b)", "ab"), Subs("(\d)+", "123"), Subs("(x)?y", "y")
WScript.Echo M("\w+(?=!)", "hi there!"), M("\b\w+\b(?!,)", "one, two"), M("(?=(\d+))\w+", "ab12c"), Subs("(?=(\d+))\w+", "ab12c"), M("a(?!b)", "abac"), Subs("(?!(a)b)\w", "ac")
WScript.Echo M("(\w)\1", "abccd"), M("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\10", "abcdefghijj"), M("(a)\10", "aa0"), Idx("\1(a)", "x" & Chr(1) & "a"), MF("(a)\1", "aA", "i"), M("(a)\1", "aA")
' alternation and quantifiers, greedy and lazy
WScript.Echo M("cat|dog", "hotdog"), M("a|ab", "ab"), M("(a|ab)(c|bcd)", "abcd"), M("x|", "zx") & "|", M("(a|b)*abb", "babaabb")
WScript.Echo M("a*", "baaa") & "|", M("a+", "baaa"), M("ba?", "baa"), M("a{2}", "aaaa"), M("a{2,}", "aaaa"), M("a{1,3}", "aaaa"), M("(ab){2}", "abababx"), M("a{0}b", "ab")
WScript.Echo M("a+?", "aaa"), M("a*?b", "aab"), M("<.+?>", "<a><b>"), M("<.+>", "<a><b>"), M("a{2,3}?", "aaaa"), M("a??b", "ab"), M("(ab)*?c", "ababc"), M("(ab){1,2}?", "abab")
WScript.Echo M("x}", "x}"), M("(a*)*b", "aab"), M("(a|)*c", "aac"), M("(?:a?)+?b", "aab")
' IgnoreCase, non-ASCII text and positions in UTF-16 code units
WScript.Echo MF("ABC", "xabc", "i"), M("ABC", "xabc"), MF("[a-c]+", "xABC", "i"), MF("[^a]", "Ab", "i"), MF("é", "CAFÉ", "i"), MF("\w+", "ÀB", "i")
WScript.Echo M("t.", "été"), G("é", "été"), M("[à-ÿ]+", "naïve"), M("x", "😀x"), Rx(".", "g").Execute("😀").Count, Idx("\uD83D", "a😀"), Rep("é", "été", "e", "g")
' Global, empty matches, Matches and SubMatches as collections
WScript.Echo Rx("\d", "").Execute("a1b2").Count, Rx("\d", "g").Execute("a1b2").Count, G("aa", "aaaaa"), G("", "ab"), G("a*", "baa"), Rx("", "").Test("abc")
Set ms = Rx("(\w)(\d)?", "g").Execute("a1 b")
For Each mt In ms : WScript.Echo mt.Value, mt.FirstIndex, mt.Length, mt.SubMatches.Count, mt.SubMatches(0), IsEmpty(mt.SubMatches(1)) : Next
WScript.Echo IsEmpty(mt), ms(1).SubMatches.Item(0), ms.Item(1) & "|"
' Replace: first match or all, $ sequences, values converted as CStr does
WScript.Echo Rep("a", "aaa", "b", ""), Rep("a", "aaa", "b", "g"), Rep("(\w+) (\w+)", "hello world", "$2 $1", ""), Rep("b", "abc", "[$&]", ""), Rep("b", "abc", "[$`|$']", ""), Rep("b", "abc", "$$", "")
WScript.Echo Rep("b", "abc", "x$", ""), Rep("b", "abc", "$0", ""), Rep("(b)", "abc", "$3", ""), Rep("(b)", "abc", "$10", ""), Rep("b", "abc", "$%", ""), Rep("(x)?b", "abc", "[$1]", "")
WScript.Echo Rep("x*", "abc", "-", "g"), Rep("z", "abc", "-", "g"), Rep("B", "abc", "-", "i"), Rep("\d", "a1", 5, ""), Rep("2", 123, "x", ""), Rep("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", "abcdefghijk", "$11$10$1", "")
WScript.Echo Rep("\s+", "a  b" & vbTab & "c", " ", "g"), Rep("^", "a" & vbLf & "b", "> ", "gm"), Rep("(\d+)", "3 apples, 12 pears", "<$1>", "g")
' malformed patterns fail where the pattern is used, not where it is set
On Error Resume Next
re.Pattern = "(a" : WScript.Echo Err.Number, re.Pattern : Err.Clear
x = re.Test("a") : WScript.Echo Err.Number, Err.Description : Err.Clear
Set x = re.Execute("a") : WScript.Echo Err.Number : Err.Clear
x = re.Replace("a", "b") : WScript.Echo Err.Number : Err.Clear
For Each p In Array("a)", "a\", "*a", "a**", "a|+", "(*)", "a{2}{3}", "[ab", "[b-a]", "((a)", "(?:a")
  x = Rx(p, "").Test("a") : WScript.Echo p, Err.Number, Err.Description : Err.Clear
Next
re.Pattern = "a" : WScript.Echo re.Test("a"), Err.Number
x = ms(2) : WScript.Echo Err.Number : Err.Clear
x = ms.Item(-1) : WScript.Echo Err.Number : Err.Clear
x = ms(0).SubMatches(2) : WScript.Echo Err.Number : Err.Clear
x = re.Test(Null) : WScript.Echo Err.Number : Err.Clear
x = CreateObject("Scripting.FileSystemObject") : WScript.Echo Err.Number : Err.Clear
Set x = GetObject("VBScript.RegExp") : WScript.Echo Err.Number : Err.Clear
For Each x In re : WScript.Echo "body" : Next : WScript.Echo Err.Number : Err.Clear
On Error GoTo 0
' deep nesting works up to a limit, then fails cleanly
WScript.Echo Rx(String(150, "(") & "a" & String(150, ")"), "").Test("a"), Rx(String(150, "(") & "a" & String(150, ")"), "").Execute("a")(0).SubMatches.Count
On Error Resume Next
x = Rx(String(5000, "(") & "a" & String(5000, ")"), "").Test("a") : WScript.Echo Err.Number : Err.Clear
On Error GoTo 0
' a long text needs no deep C++ recursion
WScript.Echo Rx("(a|b)*c", "").Execute(String(50000, "a") & "c")(0).Length, Len(Rx("a", "g").Replace(String(50000, "a"), "bb"))
' New RegExp is the built-in object even when a class has that name
Class RegExp
  Public Pattern
End Class
Set r = New RegExp : WScript.Echo TypeName(r)
' A Boolean replacement is the text a COM object receives for it, not CStr's words.
r.Pattern = "a" : r.Global = True : WScript.Echo r.Replace("banana", True), r.Replace("banana", False)
