' Recursive calls: fib(30), long enough that the process start-up does not decide the ratio.
Function Fib(n)
  If n < 2 Then
    Fib = n
  Else
    Fib = Fib(n - 1) + Fib(n - 2)
  End If
End Function
WScript.Echo Fib(30)
