' If forms, For/For Each/Do/While loops, Exit, Select Case.
If 0 > 1 Then WScript.Echo "no" Else WScript.Echo "else"
If True Then WScript.Echo "a" : WScript.Echo "b"
If False Then WScript.Echo "x" : WScript.Echo "y"
If Null Then WScript.Echo "null" Else WScript.Echo "null is false"
If "0" Then WScript.Echo "s0" Else WScript.Echo "s0 false"
x = 5
If x = 1 Then
  WScript.Echo "one"
ElseIf x = 5 Then WScript.Echo "five"
Else
  WScript.Echo "other"
End If
s = ""
For i = 1 To 2.5 Step 0.5 : s = s & i & " " : Next
WScript.Echo s
s = ""
For x = 5 To 8 : s = s & x : x = x + 1 : Next
WScript.Echo s, x
n = 0
For i = "1" To "2" Step "0.5" : n = n + 1 : Next
WScript.Echo n, i
For i = 1.5 To 1 : WScript.Echo "never" : Next
For i = 3 To 1 Step -1 : s = s & i : Next
WScript.Echo s
Dim a(2)
a(0) = "p" : a(1) = "q" : a(2) = "r"
For Each v In a : s = s & v : Next
WScript.Echo s, IsEmpty(v)
i = 0
Do While i < 3 : i = i + 1 : Loop
WScript.Echo i
Do : i = i - 1 : If i = 1 Then Exit Do
Loop
WScript.Echo i
Do Until i >= 4 : i = i + 1 : Loop
Do : i = i + 10 : Loop Until True
WScript.Echo i
While i > 10 : i = i - 5 : Wend
WScript.Echo i
y = "3"
Select Case y
Case 3 : WScript.Echo "number"
Case "3" : WScript.Echo "string"
End Select
Select Case 7
Case 1, 2 : WScript.Echo "small"
Case Else WScript.Echo "big"
End Select
For i = 1 To 3
  For j = 1 To 3
    If j = 2 Then Exit For
    s = i & j
  Next
Next
WScript.Echo s
:: x = 1 ::: :
y = _
  "continued"
WScript.Echo y : Rem a comment after a separator
