' Positions and lengths count UTF-16 units; accented and non-Latin text behaves like ASCII.
s = "été" & ChrW(&H20AC)
WScript.Echo Len(s), Left(s, 2), Right(s, 1), Mid(s, 2, 2), InStr(s, "t"), InStrRev(s, "é"), UCase(s), LCase("ÉTÉ")
WScript.Echo InStr(1, "ÉTÉ", "té", 1), StrComp("é", "É", 1), StrComp("é", "É"), "é" = "É", Replace("été", "é", "e"), Replace("éaéb", "a", "x", 2)
WScript.Echo Join(Split("a€b€c", "€"), "|"), Join(Filter(Array("Été", "hiver"), "été", True, 1), "|"), Join(Split("xÉy", "é", -1, 1), "|")
WScript.Echo Asc("é"), Asc("€"), Chr(128) = "€", Chr(233) = "é", AscW("€"), String(3, "é"), String(2, 233), String(2, "€x")
WScript.Echo LenB("é"), AscB("€"), MidB("aé", 3, 2), InStrB("aé", "é"), LeftB("éa", 2), RightB("aé", 2)
WScript.Echo Escape("é€ a"), Unescape("%E9%u20AC"), Unescape("%uD83D%uDE00") = ChrW(&HD83D) & ChrW(&HDE00)
WScript.Echo UCase("straße"), LCase("ĀŒŸ"), UCase("ωσς"), LCase("ДОМ"), UCase("ÿ")
' A character beyond the BMP is two units; halves of it can be taken apart and put together.
x = "a" & ChrW(&HD83D) & ChrW(&HDE00) & "b"
WScript.Echo Len(x), AscW(Mid(x, 2)), AscW(Mid(x, 3, 1)), Len(Mid(x, 2, 1)), StrReverse(x) = "b" & ChrW(&HD83D) & ChrW(&HDE00) & "a"
WScript.Echo Mid(x, 2, 1) & Mid(x, 3, 1) = Mid(x, 2, 2), InStr(x, "b"), Right(x, 3) = Mid(x, 2)
