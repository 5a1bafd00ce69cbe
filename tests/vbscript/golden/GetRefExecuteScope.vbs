' GetRef, and the scope of Execute, Eval and ExecuteGlobal text run inside a procedure.
Function Square(x) : Square = x * x : End Function
Sub Greet(name) : WScript.Echo "hello " & name : End Sub
Dim g : g = "global"
Sub Scopes()
  Dim kept : kept = 1
  Execute "kept = kept + 1 : fresh = 10"
  Execute "fresh = fresh + 5 : Dim arr(2) : arr(1) = fresh"
  WScript.Echo kept, fresh, Eval("fresh * 2"), Eval("arr(1)")
  implicitHere = 3
  Execute "implicitHere = implicitHere * 7 : Execute ""implicitHere = implicitHere + 1"""
  WScript.Echo implicitHere
  Execute "g = g & ""+"""
  ExecuteGlobal "madeGlobal = 42"
  Execute "onlyHere = 1"
  WScript.Echo Eval("onlyHere")
End Sub
Scopes
WScript.Echo g, madeGlobal, IsEmpty(fresh), IsEmpty(onlyHere)
Scopes
WScript.Echo g
Set sq = GetRef("square")
WScript.Echo sq(9), TypeName(sq), IsObject(sq)
Set hi = GetRef("Greet")
hi "there"
Call hi("again")
n = 2 : WScript.Echo sq(n + 1)
On Error Resume Next
Set nope = GetRef("NoSuchProc")
WScript.Echo Err.Number : Err.Clear
x = hi.Name
WScript.Echo Err.Number
