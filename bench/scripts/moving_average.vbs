' Nested loops over an array: a 20-bar moving average of 2001 values, 200 times.
Sub Main()
  Dim v(2001), ma(2001), i, j, r, sum
  For i = 1 To 2001
    v(i) = Sin(i / 10) * 50 + 100
  Next
  For r = 1 To 200
    For i = 20 To 2001
      sum = 0
      For j = i - 19 To i
        sum = sum + v(j)
      Next
      ma(i) = sum / 20
    Next
  Next
  WScript.Echo ma(2001)
End Sub
