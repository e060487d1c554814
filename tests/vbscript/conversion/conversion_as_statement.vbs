' A conversion's result is all it is for: called as a statement, with Call or without,
' each one stops with error 458, once its argument has been worked out.
Function Arg()
    WScript.Echo "argument worked out"
    Arg = 1
End Function

On Error Resume Next
Call CBool(1)
WScript.Echo "CBool", Err.Number, Err.Description
Err.Clear
Call CByte(1)
WScript.Echo "CByte", Err.Number
Err.Clear
Call CCur(1)
WScript.Echo "CCur", Err.Number
Err.Clear
Call CDate(1)
WScript.Echo "CDate", Err.Number
Err.Clear
Call CDbl(1)
WScript.Echo "CDbl", Err.Number
Err.Clear
Call CInt(Arg())
WScript.Echo "CInt", Err.Number
Err.Clear
Call CLng(1)
WScript.Echo "CLng", Err.Number
Err.Clear
Call CSng(1)
WScript.Echo "CSng", Err.Number
Err.Clear
CStr "a"
WScript.Echo "CStr", Err.Number
Err.Clear
CInt(2)
WScript.Echo "CInt(2)", Err.Number
Err.Clear
' Other functions called for nothing are fine.
Call Len("abc")
Abs -1
WScript.Echo "Len, Abs", Err.Number
x = CInt("7")
WScript.Echo "in an expression", x, Err.Number
On Error GoTo 0
Call CLng(1)
WScript.Echo "not reached"
