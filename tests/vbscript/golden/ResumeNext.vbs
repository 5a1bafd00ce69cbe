' Where execution continues under On Error Resume Next when conditions and bounds fail.
On Error Resume Next
If 1 / 0 Then WScript.Echo "if entered" Else WScript.Echo "if else"
Err.Clear
n = 0
Do While 1 / 0
  n = n + 1 : WScript.Echo "do body", Err.Number : Err.Clear
  If n >= 2 Then Exit Do
Loop
Err.Clear
n = 0
Do
  n = n + 1
Loop While 1 / 0
WScript.Echo "post-test ran", n, Err.Number
Err.Clear
For i = 1 To 1 / 0
  WScript.Echo "for body", IsEmpty(i)
Next
WScript.Echo "after for", Err.Number
Err.Clear
For Each v In Array(1, 2)(5)
  WScript.Echo "each body"
Next
WScript.Echo "after each", Err.Number
Err.Clear
Select Case 1 / 0
Case Else : WScript.Echo "no clause should run"
End Select
WScript.Echo "select", Err.Number
Err.Clear
Select Case 2
Case 1 / 0 : WScript.Echo "failing case matches"
Case 2 : WScript.Echo "two"
End Select
Err.Clear
x = 1 : x = 2 + CInt("a") : WScript.Echo "x kept", x
Function Boom() : Boom = 1 / 0 : WScript.Echo "inside after error" : End Function
y = Boom() : WScript.Echo "y", IsEmpty(y), Err.Number
Sub Handled() : On Error Resume Next : z = 1 / 0 : WScript.Echo "handled inside", Err.Number : End Sub
Err.Clear
Handled
