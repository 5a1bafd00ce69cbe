' On Error Resume Next, the Err object and Err.Raise, errors in calls and conditions.
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description, Err.Source
Err.Clear
WScript.Echo Err.Number, "[" & Err.Description & "]"
Err.Raise 1000, "mysrc", "my desc"
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Raise 1000
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
Err.Raise 5000
WScript.Echo Err.Number, Err.Description
Err.Clear
Err.Raise vbObjectError + 1, "app", "custom"
WScript.Echo Err.Number, Err.Number - vbObjectError
Err.Clear
Err.Raise 0 : WScript.Echo Err.Number : Err.Clear
Err.Raise &H800A00AA : WScript.Echo Err.Number : Err.Clear
Err.Raise &H8007000E& : WScript.Echo Err.Number, Err.Description : Err.Clear : Err.Raise &H80070057 : WScript.Echo Err.Number : Err.Clear : Err.Raise &H80020009 : WScript.Echo Err.Number : Err.Clear
Call CInt(1) : WScript.Echo Err.Number : Err.Clear
Call CInt("x") : WScript.Echo Err.Number : Err.Clear
Call Abs(1) : WScript.Echo Err.Number
If 1 / 0 = 5 Then WScript.Echo "entered if after error" Else WScript.Echo "else"
Err.Clear
y = 7
y = 1 + Nothing
WScript.Echo Err.Number, y
Err.Clear
Sub Fails() : WScript.Echo "before" : z = 1 / 0 : WScript.Echo "not reached" : End Sub
Fails
WScript.Echo "after", Err.Number
On Error GoTo 0
WScript.Echo Err.Number
Sub Main()
  Dim q
  q = UndefinedFunc(1)
End Sub
