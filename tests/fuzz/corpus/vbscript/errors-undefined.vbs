Option Explicit
Dim known
known = 1
Sub Test
    Dim localVar
    localVar = known + 1
    WScript.Echo localVar
    WScript.Echo notDeclared
End Sub
Test
