' A numeric loop: floating-point accumulation over ten million steps.
Sub Main()
  Dim i, s
  s = 0
  For i = 1 To 10000000
    s = s + i * 0.5 - 1
  Next
  WScript.Echo s
End Sub
