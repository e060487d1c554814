On Error Resume Next
Err.Raise 1000, "MySource", "My own error"
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
WScript.Echo Err.Number, "[" & Err.Description & "]"
Err.Raise 13
WScript.Echo Err.Number, Err.Description
Err.Raise vbObjectError + 1, "App", "custom"
WScript.Echo Err.Number - vbObjectError, Err.Description
Sub Fails()
    WScript.Echo "before"
    x = 1 / 0
    WScript.Echo "not reached"
End Sub
Err.Clear
Fails
WScript.Echo "after", Err.Number
Sub Handles()
    On Error Resume Next
    y = CInt("x")
    WScript.Echo "handled inside", Err.Number
End Sub
Err.Clear
Handles
On Error GoTo 0
WScript.Echo Err.Number
Err.Raise 5
