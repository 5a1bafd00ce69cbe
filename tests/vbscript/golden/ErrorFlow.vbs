' Where execution goes on under On Error Resume Next when a For Each has no collection or a
' With has no object, and which error a bad position of a string function raises: a text that
' is no number (13) before Null (94) before a position out of range or Empty (5).
Class Box
  Public Size
End Class

Sub Main()
  On Error Resume Next
  Dim v, n
  ' The body runs once, then the loop's end fails again.
  For Each v In 42
    n = n + 1 : WScript.Echo "each body", Err.Number, IsEmpty(v)
  Next
  WScript.Echo "after each", n, Err.Number : Err.Clear
  For Each v In Nothing
    WScript.Echo "each body on Nothing", Err.Number
    Exit For
  Next
  WScript.Echo "after each on Nothing", Err.Number : Err.Clear
  ' The block runs from its first statement, without an object.
  Dim b : Set b = New Box
  With b.Missing
    WScript.Echo "first inside", Err.Number : Err.Clear
    .Size = 3 : WScript.Echo ".Size =", Err.Number : Err.Clear
  End With
  WScript.Echo "after with", IsEmpty(b.Size)
  With "text"
    WScript.Echo "inside With on a text", Err.Number : Err.Clear
  End With
  With b
    .Size = 4
  End With
  WScript.Echo "with an object", b.Size, Err.Number

  Dim c, x
  For Each c In Array("Mid(""abc"", ""x"", Null)", "Mid(""abc"", Null, ""x"")", "Mid(""abc"", 0, Null)", _
      "Mid(""abc"", 0, ""x"")", "Mid(""abc"", Empty)", "Mid(""abc"", 0, -1)", "Mid(""abc"", 2, -1)", _
      "Left(""abc"", ""x"")", "Left(""abc"", Null)", "Left(""abc"", -1)", "Right(""abc"", Null)", _
      "InStr(""x"", ""abc"", ""b"")", "InStr(Null, ""abc"", ""b"", ""x"")", "InStr(0, ""abc"", ""b"", Null)", _
      "InStr(Empty, ""abc"", ""b"")", "InStr(1, ""abc"", ""b"", 2)", "InStr(Null, ""abc"", ""b"")")
    Err.Clear
    x = Eval(c)
    WScript.Echo c, Err.Number
  Next
End Sub
