Function Fib(n)
    If n < 2 Then
        Fib = n
        Exit Function
    End If
    Fib = Fib(n - 1) + Fib(n - 2)
End Function
WScript.Echo Fib(20)
Function NoResult()
End Function
WScript.Echo IsEmpty(NoResult()), IsEmpty(NoResult)
Function MakeDict()
    Set MakeDict = CreateObject("Scripting.Dictionary")
    MakeDict.Add "k", "v"
End Function
Set dd = MakeDict()
WScript.Echo dd("k")
Sub Early(v)
    If v Then Exit Sub
    WScript.Echo "not early"
End Sub
Early True
Early False
counter = 0
Sub Bump
    counter = counter + 1
End Sub
Bump : Bump : Call Bump
WScript.Echo counter
Function Locals()
    hidden = 5
    Locals = hidden
End Function
WScript.Echo Locals(), IsEmpty(hidden)
Function Deep(n)
    Deep = Deep(n + 1)
End Function
Deep 1
