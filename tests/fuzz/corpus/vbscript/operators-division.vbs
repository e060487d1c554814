On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description
Err.Clear
x = 0 / 0
WScript.Echo Err.Number, Err.Description
Err.Clear
x = 5 \ 0
WScript.Echo Err.Number
Err.Clear
x = 5 Mod 0
WScript.Echo Err.Number
Err.Clear
x = CInt(40000)
WScript.Echo Err.Number, Err.Description
On Error GoTo 0
WScript.Echo 7.5 \ 2, 7.5 Mod 2, 8.5 \ 2
x = 2 ^ 5000
