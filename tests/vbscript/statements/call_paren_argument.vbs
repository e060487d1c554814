' A call statement whose first argument starts with a bracket: the bracket belongs to that
' argument, not around the argument list.
Class Log
    Public text
    Public Sub Write(s)
        text = text & s
    End Sub
    Public Sub DeleteFile(pattern, force)
        WScript.Echo "DeleteFile", pattern, force
    End Sub
End Class
Sub MySub(a, b)
    WScript.Echo "MySub", a, b
End Sub
Sub One(a)
    WScript.Echo "One", a
End Sub
Sub Bump(n)
    n = n + 1
End Sub
Set objLogFile = New Log
x = "a"
objLogFile.Write(x) & ","
objLogFile.Write(x) & "-" & (x)
objLogFile.Write (x) & ";"
WScript.Echo objLogFile.text
Set objFSO = New Log
objFSO.DeleteFile("C:\x\*.txt"), True
objFSO.DeleteFile ("C:\y\*.txt"), False
MySub (1), 2
MySub(1), (2)
MySub (1) + 2, 3
One (1) + 2
One(2) * 3
One(2) ^ 2
' One bracketed argument alone is still passed by value.
n = 1
Bump (n)
Bump(n)
WScript.Echo "by value:", n
Bump n
WScript.Echo "by reference:", n
objLogFile.Write(x)
Call MySub(4, 5)
Call objFSO.DeleteFile("z", 0)
