' A constant cannot be assigned, wherever the assignment is.
Const Limit = 10
Sub ChangeIt(ByRef v)
    v = v + 1
End Sub
Sub InProcedure()
    Const Local = 1
    On Error Resume Next
    Local = 2
    WScript.Echo "local constant:", Err.Number, Err.Description, Local
    Err.Clear
    Limit = 3
    WScript.Echo "module constant from a procedure:", Err.Number, Limit
End Sub
On Error Resume Next
Limit = 11
WScript.Echo "assigned:", Err.Number, Err.Description, Limit
Err.Clear
Set Limit = Nothing
WScript.Echo "Set:", Err.Number
Err.Clear
For Limit = 1 To 2
Next
WScript.Echo "For counter:", Err.Number, Limit
Err.Clear
ReDim Limit(2)
WScript.Echo "ReDim:", Err.Number, Limit
Err.Clear
ChangeIt Limit
WScript.Echo "passed by reference, it stays:", Err.Number, Limit
InProcedure
