Dim fixedArr(3)
On Error Resume Next
ReDim fixedArr(5)
WScript.Echo Err.Number, Err.Description
Err.Clear
x = UBound(5)
WScript.Echo Err.Number
Err.Clear
Dim d()
x = UBound(d)
WScript.Echo Err.Number
Err.Clear
x = fixedArr(1, 1)
WScript.Echo Err.Number
On Error GoTo 0
fixedArr(-1) = 0
