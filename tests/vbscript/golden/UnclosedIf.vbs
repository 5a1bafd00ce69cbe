x = 1
If x Then
  WScript.Echo "x"
For i = 1 To 2
Next
