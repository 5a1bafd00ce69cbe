' Eval, Execute and ExecuteGlobal, in global and local scope, with syntax errors in the text.
x = 5
WScript.Echo Eval("x * 2"), Eval("x = 5"), TypeName(Eval("x = 1"))
Execute "y = x + 1"
WScript.Echo y
ExecuteGlobal "Function Sq(n) : Sq = n * n : End Function"
WScript.Echo Sq(7)
Sub Local()
  Dim v : v = 3
  Execute "v = v * 10"
  WScript.Echo v, Eval("v + 1")
End Sub
Local
On Error Resume Next
Execute "5*4"
WScript.Echo Err.Number, Err.Description : Err.Clear
Execute "If x Then"
WScript.Echo Err.Number : Err.Clear
x = Eval("1 +")
WScript.Echo Err.Number : Err.Clear
Execute "WScript.Echo(1, 2)"
WScript.Echo Err.Number : Err.Clear
Execute "z = 1 : w = 2"
WScript.Echo z + w
