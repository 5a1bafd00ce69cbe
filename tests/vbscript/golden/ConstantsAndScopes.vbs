' Script-level constants are seen by every procedure and class of the script, wherever the
' Const stands in the text; a local, a parameter or a local Const of the same name hides them.
Option Explicit
Const Period = 14
Public Const Upper = 70, Lower = 30
Private Const Title = "RSI", Factor = -0.5
If False Then Const Hidden = "in a branch never taken"

Class Levels
  Public Function Band()
    Band = Title & " " & Lower & ".." & Upper
  End Function
  Public Property Get Span
    Span = (Upper - Lower) * Scale
  End Property
End Class

Function Shadowed(Period)
  Dim Upper
  Const Lower = "local"
  Shadowed = Period & "|" & IsEmpty(Upper) & "|" & Lower
End Function

Sub Main()
  WScript.Echo Period, Upper, Lower, Title, Factor, Scale, Hidden
  WScript.Echo TypeName(Period), TypeName(Factor), TypeName(Scale), TypeName(Title)
  Dim levels : Set levels = New Levels
  WScript.Echo levels.Band(), levels.Span
  WScript.Echo Shadowed(5), Period
  ' A Const that ExecuteGlobal adds is seen by this procedure, compiled before it, once it ran.
  ExecuteGlobal "Const Added = 3" & vbCrLf & "Function UsesAdded() : UsesAdded = Added * 2 : End Function"
  WScript.Echo Added, UsesAdded()
End Sub

WScript.Echo "global code", Period
' Declared below the procedures that use it.
Const Scale = 2.5
