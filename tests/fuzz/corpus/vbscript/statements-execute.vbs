x = 6
WScript.Echo Eval("x * 7"), Eval("Len(""abc"") + 1"), Eval("x = 6")
ExecuteGlobal "Function Triple(n) : Triple = n * 3 : End Function"
WScript.Echo Triple(5)
Sub Scoped
    Dim local
    local = 2
    Execute "local = local * 10"
    WScript.Echo local, Eval("local + 1")
End Sub
Scoped
Execute "y = 41 + 1"
WScript.Echo y
On Error Resume Next
Eval "1 +"
WScript.Echo Err.Number, Err.Description
