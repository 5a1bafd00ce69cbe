Option Explicit
Dim a
a = 1
WScript.Echo a
ReDim r(2)
WScript.Echo UBound(r)
Sub Main()
  Dim ok : ok = 2
  WScript.Echo ok
  undeclared = 5
End Sub
