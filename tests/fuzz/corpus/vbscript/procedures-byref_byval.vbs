Sub Inc(ByRef n)
    n = n + 1
End Sub
Sub NoInc(ByVal n)
    n = n + 1
End Sub
Sub DefaultIsByRef(n)
    n = n * 10
End Sub
x = 1
Inc x
WScript.Echo x
NoInc x
WScript.Echo x
DefaultIsByRef x
WScript.Echo x
Inc (x)
WScript.Echo x
Call Inc(x)
WScript.Echo x
Inc x + 0
WScript.Echo x
Sub Chain(ByRef v)
    Inc v
End Sub
Chain x
WScript.Echo x
Function Twice(ByVal v)
    v = v * 2
    Twice = v
End Function
WScript.Echo Twice(x), x
