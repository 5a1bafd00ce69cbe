' Fixed and dynamic arrays, ReDim [Preserve], Erase, nested arrays, bounds errors.
Dim a(3), m(1, 2)
WScript.Echo UBound(a), LBound(a), IsArray(a), UBound(m, 2), UBound(m, 1)
m(1, 2) = "corner" : m(0, 0) = "origin"
For Each v In m : s = s & "[" & v & "]" : Next
WScript.Echo s
ReDim b(2) : b(0) = 1 : b(2) = 3
ReDim Preserve b(4) : WScript.Echo UBound(b), b(0), b(2), IsEmpty(b(4))
ReDim b(1) : WScript.Echo IsEmpty(b(0)), UBound(b)
ReDim e(-1) : WScript.Echo UBound(e)
n = Array(Array(1, 2), Array(3, 4)) : WScript.Echo n(1)(0), UBound(n(0))
x = 1 : ReDim x(2) : WScript.Echo UBound(x)
Erase a : WScript.Echo UBound(a), IsEmpty(a(0))
a(1) = "k" : WScript.Echo a("1")
On Error Resume Next
ReDim a(5) : WScript.Echo Err.Number : Err.Clear
v = b(7) : WScript.Echo Err.Number : Err.Clear
ReDim g(1, 1) : ReDim Preserve g(2, 1) : WScript.Echo Err.Number : Err.Clear
w = UBound(a, 2) : WScript.Echo Err.Number : Err.Clear
w = UBound(Empty) : WScript.Echo Err.Number : Err.Clear
For Each q In 5 : Next : WScript.Echo Err.Number : Err.Clear
Dim dyn() : WScript.Echo IsArray(dyn)
