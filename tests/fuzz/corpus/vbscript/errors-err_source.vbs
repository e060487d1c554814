' Err.Source names the raiser, also when the error leaves the procedure that raised it.
Sub Inner()
    Err.Raise 1000, "Inventory", "out of stock"
End Sub
Sub Outer()
    Inner
End Sub
Function Failing()
    Failing = 1 / 0
End Function
On Error Resume Next
Inner
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
Outer
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
x = Failing()
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
If Failing() Then WScript.Echo "a failing condition goes on into Then:", Err.Number, Err.Source
Err.Clear
Err.Raise 7
WScript.Echo Err.Number, Err.Source, Err.Description
