' A Select Case dispatch loop over five million values.
Sub Main()
  Dim i, a, b, c, d, e
  a = 0 : b = 0 : c = 0 : d = 0 : e = 0
  For i = 1 To 5000000
    Select Case i Mod 5
    Case 0
      a = a + 1
    Case 1
      b = b + 1
    Case 2
      c = c + 2
    Case 3
      d = d + 3
    Case Else
      e = e + 4
    End Select
  Next
  WScript.Echo a, b, c, d, e
End Sub
