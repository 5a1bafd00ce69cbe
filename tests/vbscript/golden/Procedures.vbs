' Sub/Function, ByRef and ByVal, call forms, return values, hoisting and scopes.
Sub Inc(x) : x = x + 1 : End Sub
Sub IncVal(ByVal x) : x = x + 1 : End Sub
a = 1 : Inc a : WScript.Echo a
Inc (a) : WScript.Echo a
IncVal a : WScript.Echo a
Call Inc(a) : WScript.Echo a
Dim arr(2) : arr(1) = 10 : Inc arr(1) : WScript.Echo arr(1)
Function Twice(v) : Twice = v * 2 : End Function
WScript.Echo Twice(21), TypeName(Twice(1.5))
Function Early(n)
  Early = "start"
  If n > 0 Then Exit Function
  Early = "end"
End Function
WScript.Echo Early(1), Early(0)
Function Fact(n)
  If n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)
End Function
WScript.Echo Fact(10)
WScript.Echo Later(2)
Function Later(x) : Later = x + 100 : End Function
Sub Grow(b) : ReDim Preserve b(4) : b(4) = "new" : End Sub
Dim d() : ReDim d(1) : d(0) = "old" : Grow d : WScript.Echo UBound(d), d(0), d(4)
x = Array(1, 2) : y = x : y(0) = 99 : WScript.Echo x(0), y(0)
Function MakeArr() : Dim t(1) : t(0) = "t" : MakeArr = t : End Function
z = MakeArr() : WScript.Echo z(0), UBound(z)
Sub Dup() : WScript.Echo "first" : End Sub
Sub Dup() : WScript.Echo "second" : End Sub
Dup
Function Shadow() : Dim a : a = "local" : Shadow = a : End Function
WScript.Echo Shadow(), a
Sub SetGlobal() : g = "implicit local" : End Sub
SetGlobal : WScript.Echo IsEmpty(g)
counter = 0
Sub Bump() : counter = counter + 1 : End Sub
Bump : Bump : WScript.Echo counter
Sub Args2(p, q) : WScript.Echo p & q : End Sub
Args2 1 = 1, 2
If False Then
  Sub Hidden() : WScript.Echo "defined inside If False" : End Sub
End If
Hidden
Sub Main() : WScript.Echo "main runs last" : End Sub
