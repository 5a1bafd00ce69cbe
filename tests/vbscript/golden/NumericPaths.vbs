' Arithmetic on plain numbers in loops, calls and Select Case keeps VBScript's subtypes and errors.
Function Twice(ByVal n) : Twice = n + n : End Function
Sub Bump(v) : v = v + 1 : End Sub
Sub Main()
  Dim a(3), i, s, t
  i = 32767 : s = i + 1 : WScript.Echo TypeName(s), s
  i = 2147483647 : s = i + 1 : WScript.Echo TypeName(s), s
  s = 200 * 200 : t = -i : WScript.Echo TypeName(s), s, TypeName(t), t
  s = 7 / 2 : t = 7.5 \ 2 : WScript.Echo TypeName(s), s, TypeName(t), t
  s = 11.6 Mod 5.5 : t = -7 Mod 3 : WScript.Echo TypeName(s), s, TypeName(t), t
  a(1) = 2.5 : a(2) = "3" : WScript.Echo a(1) * 2, TypeName(a(2) * 2), a(2) * 2
  Bump a(1) : i = 1 : Bump a(i) : WScript.Echo a(1)
  WScript.Echo Twice(16384), TypeName(Twice(16384)), Twice(a(1) - 0.5)
  t = 0 : For i = 1 To 3 : t = t + i * 0.5 : Next : WScript.Echo t, i
  For i = 32766 To 32767 : Next : WScript.Echo TypeName(i), i
  For i = "1" To 2 Step 0.5 : t = i : Next : WScript.Echo TypeName(t), t, i
  For i = 1 To 10
    If i = 3 Then i = 7.5
    t = i
  Next
  WScript.Echo t, i, TypeName(i)
  For i = 1 To 5
    If i = 2 Then i = "4"
  Next
  WScript.Echo i, TypeName(i)
  For i = 10 To 1 Step -3 : t = i : Next : WScript.Echo t, i
  For i = 1 To 3 : t = i * 2 : Next : WScript.Echo t, i
  For i = 1 To 1000
    s = i
    If i = 4 Then Exit For
  Next
  WScript.Echo s, i
  Select Case 2 * 1.5
  Case 2 : WScript.Echo "two"
  Case 3 : WScript.Echo "three"
  End Select
  i = 4
  Select Case i
  Case "4" : WScript.Echo "number equals string"
  Case 2 + 2 : WScript.Echo "number equals number"
  End Select
  s = "3"
  Select Case s : Case 3 : WScript.Echo "string read as the literal's number" : End Select
  i = True : s = i + 1 : t = Empty + Empty : WScript.Echo TypeName(s), s, TypeName(t), t
  On Error Resume Next
  s = 1 / 0 : WScript.Echo Err.Number, s : Err.Clear
  s = 5 \ 0 : WScript.Echo Err.Number : Err.Clear
  s = Null + 1 : t = 2 < Null : WScript.Echo IsNull(s), IsNull(t)
  s = "x" * 2 : WScript.Echo Err.Number : Err.Clear
End Sub
