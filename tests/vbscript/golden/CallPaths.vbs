' Calls of global procedures with plain arguments, and the cases such calls must still get
' right: ByRef aliases, element and string arguments, non-number results, argument counts,
' deep recursion, redefinition, Execute and Eval inside the callee.
Function Fib(n)
  If n < 2 Then
    Fib = n
  Else
    Fib = Fib(n - 1) + Fib(n - 2)
  End If
End Function
WScript.Echo Fib(15), Fib(1), Fib(0)

' ByRef through plain arguments: a global, a local, a parameter passed on.
Sub Inc(x) : x = x + 1 : End Sub
Sub IncVal(ByVal x) : x = x + 1 : End Sub
Sub PassOn(v) : Inc v : End Sub
Function Bump(x) : x = x + 1 : Bump = x : End Function
g = 5 : Inc g : IncVal g : WScript.Echo g
PassOn g : WScript.Echo g
Sub LocalCase()
  Dim k : k = 1
  Inc k : PassOn k : IncVal k
  WScript.Echo "local", k
End Sub
LocalCase
a = 1 : b = Bump(a) + Bump(a) : WScript.Echo a, b
a = 1 : WScript.Echo a + Bump(a), a
a = 1 : WScript.Echo Bump(a) + Bump(a) * 10, a

' An array element goes ByRef too and is written back; a string argument stays a string.
Dim arr(2) : arr(1) = 5
Inc arr(1) : WScript.Echo arr(1)
r = Bump(arr(1)) + 1 : WScript.Echo arr(1), r
Function Twice(s) : Twice = s & s : End Function
WScript.Echo Twice("ab") + Twice("c"), Twice("1") + 1, TypeName(Twice("1") + 1)
WScript.Echo Twice("ab") = "abab", Twice(2) + Twice(3)

' Recursion of functions returning strings and objects.
Function Doubled(n)
  If n = 0 Then
    Doubled = "a"
  Else
    Doubled = Doubled(n - 1) + Doubled(n - 1)
  End If
End Function
WScript.Echo Doubled(3), Len(Doubled(6))
terminated = 0
Class Num
  Private v
  Public Default Property Get Value : Value = v : End Property
  Public Sub Init(x) : v = x : End Sub
  Private Sub Class_Terminate : terminated = terminated + 1 : End Sub
End Class
Function MakeNum(n) : Set MakeNum = New Num : MakeNum.Init n : End Function
Function Depth(n)
  If n = 0 Then
    Set Depth = MakeNum(0)
  Else
    Set Depth = Depth(n - 1)
    Depth.Init Depth.Value + 1
  End If
End Function
Set o = Depth(4) : WScript.Echo o.Value, terminated
Set o = Nothing : WScript.Echo terminated
x = MakeNum(2) + MakeNum(3) : WScript.Echo x, terminated

' Results the plain-number path hands back to the general rules.
Function Same(v) : Same = v : End Function
Function NoResult(n) : End Function
Sub NoValue(n) : End Sub
WScript.Echo Same(30000) + Same(30000), TypeName(Same(30000) + Same(30000))
WScript.Echo Same(2147483647) + Same(1), TypeName(Same(2147483647) + Same(1))
WScript.Echo Same(7) \ Same(2), TypeName(Same(7) \ Same(2)), Same(7) Mod Same(4)
WScript.Echo Same(3) / Same(2), Same(2) < Same(3), Same(2.5) * Same(2)
WScript.Echo Same(True) + Same(1), TypeName(Same(True) + Same(1))
WScript.Echo NoResult(1) + 5, TypeName(NoResult(1) + 5), IsNull(Same(Null) + Same(1))
b1 = CByte(200) : b2 = CByte(100)
WScript.Echo Same(b1) + Same(b2), TypeName(Same(b1) + Same(b2))
d = DateSerial(2024, 1, 31) : WScript.Echo Month(Same(d) + Same(1)), TypeName(Same(d) + Same(1))

' Errors in fast calls: argument counts, division by zero, deep recursion.
On Error Resume Next
r = "kept"
r = Fib(1, 2) : WScript.Echo Err.Number, Err.Description, r
Err.Clear
r = Fib(1) + Fib() : WScript.Echo Err.Number, r
Err.Clear
r = Same(1) / Same(0) : WScript.Echo Err.Number, r
Err.Clear
NoValue : WScript.Echo Err.Number
Err.Clear
Function Deep(n) : Deep = Deep(n + 1) + 1 : End Function
Sub Down(n) : Down n + 1 : End Sub
Function Inv(n)
  If n >= 0 Then Inv = Same(1) / Same(n) Else Inv = 0
End Function
r = Inv(0) : WScript.Echo Err.Number, r, Inv(4) + Inv(-1)
Err.Clear
r = Deep(0) : WScript.Echo Err.Number, Err.Description, r
Err.Clear
Down 0 : WScript.Echo Err.Number
Err.Clear
WScript.Echo Fib(10)
On Error GoTo 0

' A callee with its own Resume Next takes the general statement rules.
Function Safe(n)
  On Error Resume Next
  Safe = 1 / n
  If Err.Number <> 0 Then Safe = -1
End Function
WScript.Echo Safe(0) + Safe(2)

' Redefinition between calls: each call finds the procedure defined by then.
Function Pick(n) : Pick = n + 1 : End Function
WScript.Echo Pick(1) + Pick(2)
ExecuteGlobal "Function Pick(n) : Pick = n * 10 : End Function"
WScript.Echo Pick(1) + Pick(2)
ExecuteGlobal "Function Pick(p, q) : Pick = p - q : End Function"
On Error Resume Next
r = Pick(1) + 1 : WScript.Echo Err.Number
On Error GoTo 0
WScript.Echo Pick(5, 2) * Pick(4, 1)

' Execute and Eval in a fast-called function see its frame; GetRef calls it too.
Function WithExec(n) : Execute "t = n * 2" : WithExec = t + 1 : End Function
Function Ev(n) : Ev = Eval("n + 1") : End Function
WScript.Echo WithExec(3) + WithExec(4), Ev(1) + Ev(2)
Set p = GetRef("Fib")
WScript.Echo p(10) + p(5)
' Call takes a parenthesised procedure name; the arguments follow as usual.
Sub Grow(n) : n = n + 1 : End Sub
k = 1 : Call (Grow) (k) : Call (Grow)((k)) : Call ((Grow)) (k)
WScript.Echo "Call (Grow)", k
Call (WScript.Echo) ("Call (WScript.Echo)", 2)
