' Members are bound late: an unknown or private member of Err, of a class instance, of a RegExp
' or of a host object is error 438 when (and only when) its statement runs, so On Error Resume
' Next catches it, and a typo in a branch never taken does not stop the script.
Class Account
  Public Balance
  Private secret
  Public Sub Deposit(n) : Balance = Balance + n : End Sub
End Class

Sub Main()
  If False Then x = Err.Discription : WScript.Nope
  WScript.Echo "runs"
  Dim a : Set a = New Account
  Dim re : Set re = New RegExp
  On Error Resume Next
  x = Err.Discription : WScript.Echo "Err.Discription", Err.Number, Err.Description : Err.Clear
  Err.Sorce = "x" : WScript.Echo "Err.Sorce =", Err.Number : Err.Clear
  Err.Rase 5 : WScript.Echo "Err.Rase", Err.Number : Err.Clear
  x = Err.Number.Value : WScript.Echo "Err.Number.Value", Err.Number : Err.Clear
  a.Deposit 10 : a.Depositt 5 : WScript.Echo "a.Depositt", Err.Number, a.Balance : Err.Clear
  x = a.secret : WScript.Echo "a.secret", Err.Number : Err.Clear
  a.Balanse = 3 : WScript.Echo "a.Balanse =", Err.Number, a.Balance : Err.Clear
  re.Pattern = "b" : x = re.Patern : WScript.Echo "re.Patern", Err.Number : Err.Clear
  x = re.Tset("abc") : WScript.Echo "re.Tset", Err.Number, re.Test("abc") : Err.Clear
  WScript.Nope 1 : WScript.Echo "WScript.Nope", Err.Number : Err.Clear
  x = WScript.Nope : WScript.Echo "x = WScript.Nope", Err.Number : Err.Clear
  Dim w : Set w = WScript
  w.Nope = 2 : WScript.Echo "w.Nope =", Err.Number : Err.Clear
  With a
    .Nope : WScript.Echo ".Nope", Err.Number : Err.Clear
    .Deposit 1 : WScript.Echo ".Deposit", Err.Number, .Balance
  End With
  On Error GoTo 0
  WScript.Echo "unhandled next"
  x = Err.Discription
  WScript.Echo "not reached"
End Sub
