' Classes: fields, Private, default Property Get, Let, Me, Initialize/Terminate, With.
Class Counter
  Private count
  Public Name
  Private Sub Class_Initialize() : count = 0 : Name = "c" : End Sub
  Private Sub Class_Terminate() : WScript.Echo "terminate " & Name : End Sub
  Public Sub Add(n) : count = count + n : End Sub
  Public Default Property Get Value() : Value = count : End Property
  Property Let Value(v) : count = v : End Property
  Function Twice() : Twice = Me.Value * 2 : End Function
End Class
Set c = New Counter
c.Add 5 : c.Add 2
WScript.Echo c.Value, CStr(c), c + 1, c.Twice(), TypeName(c), IsObject(c)
c.Value = 40 : WScript.Echo c.Value, c
x = c : WScript.Echo TypeName(x), x
c.Name = "first"
Set d = c : d.Add 1 : WScript.Echo c.Value, d Is c, c Is Nothing
Set d = Nothing
Set c = Nothing
WScript.Echo "released"
Class Pair
  Public Left, Right
  Public Items(2)
  Property Get Sum : Sum = Left + Right : End Property
End Class
Set p = New Pair : p.Left = 1 : p.Right = 2 : p.Items(1) = "i1"
WScript.Echo p.Sum, p.Items(1), UBound(p.Items)
With p
  .Left = 10
  WScript.Echo .Sum, .Items(1)
End With
On Error Resume Next
p.Missing = 1 : WScript.Echo Err.Number : Err.Clear
Set n = Nothing : n.Foo : WScript.Echo Err.Number : Err.Clear
Set q = New Counter : q.count = 5 : WScript.Echo Err.Number : Err.Clear
x = Nothing : WScript.Echo Err.Number : Err.Clear
Set y = 5 : WScript.Echo Err.Number : Err.Clear
Set q = Nothing
WScript.Echo "end"
