' Arrays whose element count passes what memory can hold are refused, never half made.
On Error Resume Next
Dim a(65535, 65535, 65535, 65535)
WScript.Echo "Dim 65536^4:", Err.Number, Err.Description
Err.Clear
a(1, 1, 1, 1) = 5
WScript.Echo "write after the refused Dim:", Err.Number, Err.Description
Err.Clear
ReDim b(65535, 65535, 65535, 65535)
WScript.Echo "ReDim 65536^4:", Err.Number, Err.Description, IsEmpty(b)
Err.Clear
ReDim c(100000000)
WScript.Echo "ReDim 1e8:", Err.Number, Err.Description
Err.Clear
ReDim d(2147483648)
WScript.Echo "ReDim past Long:", Err.Number, Err.Description
Err.Clear
ReDim e(-2)
WScript.Echo "ReDim -2:", Err.Number, Err.Description
Err.Clear
ReDim f(2)
f(2) = "still fine"
ReDim Preserve f(200000000)
WScript.Echo "ReDim Preserve 2e8 keeps the array:", Err.Number, f(2), UBound(f)
Err.Clear
ReDim g(65535, -1, 65535)
WScript.Echo "an empty dimension:", Err.Number, UBound(g, 1), UBound(g, 2)
