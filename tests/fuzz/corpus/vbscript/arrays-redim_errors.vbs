Dim grid()
ReDim grid(1, 1)
grid(1, 1) = "kept"
On Error Resume Next
ReDim Preserve grid(2, 1)
WScript.Echo Err.Number, Err.Description
Err.Clear
ReDim Preserve grid(1, 3)
WScript.Echo Err.Number, grid(1, 1), UBound(grid, 2)
x = DateAdd("fortnight", 1, Now)
WScript.Echo Err.Number
Err.Clear
x = Chr(300)
WScript.Echo Err.Number
Err.Clear
x = Array(1, 2)(5)
WScript.Echo Err.Number
