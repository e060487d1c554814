On Error Resume Next
Execute "x = 12abc"
WScript.Echo Err.Number, Err.Description
Err.Clear
Execute "y = &H"
WScript.Echo Err.Number, Err.Description
Err.Clear
Execute "If True Then" & vbCrLf & "z = 1"
WScript.Echo Err.Number, Err.Description
Err.Clear
Execute "Select Case 1" & vbCrLf & "x = 1" & vbCrLf & "End Select"
WScript.Echo Err.Number, Err.Description
Err.Clear
Execute "For Each In x" & vbCrLf & "Next"
WScript.Echo Err.Number, Err.Description
Err.Clear
Execute "x = (1 + 2"
WScript.Echo Err.Number, Err.Description
