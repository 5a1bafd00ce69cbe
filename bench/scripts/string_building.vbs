' String building with &: fifty thousand appends to one string.
Sub Main()
  Dim s, i
  s = ""
  For i = 1 To 50000
    s = s & "x" & (i Mod 10)
  Next
  WScript.Echo Len(s)
End Sub
