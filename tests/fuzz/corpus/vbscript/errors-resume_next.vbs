On Error Resume Next
Set missing = Nothing
If missing.Count > 0 Then
    WScript.Echo "then branch runs after a failing condition", Err.Number
Else
    WScript.Echo "else"
End If
Err.Clear
For i = 1 To 3
    x = 10 / (i - 2)
    WScript.Echo i, Err.Number
    Err.Clear
Next
total = 0
For Each v In Array(1, "two", 3)
    total = total + v
Next
WScript.Echo total, Err.Number
