' Recursion without end stops with Out of stack space, which On Error can catch.
Function Down(n)
    Down = Down(n + 1)
End Function
Function Count(n)
    If n = 0 Then
        Count = 0
    Else
        Count = Count(n - 1) + 1
    End If
End Function
Function Bracketed(n)
    Bracketed = ((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((((Bracketed(n + 1)))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))))
End Function
Class Node
    Public Default Property Get Value
        Value = "x" & Me
    End Property
    Public Function Again(n)
        Again = Me.Again(n + 1)
    End Function
End Class
Function ByEval(n)
    ByEval = Eval("ByEval(" & (n + 1) & ")")
End Function
Sub ByExecute(n)
    Execute "ByExecute " & (n + 1)
End Sub

WScript.Echo Count(400)
On Error Resume Next
x = Down(1)
WScript.Echo "function:", Err.Number, Err.Description
Err.Clear
x = Bracketed(1)
WScript.Echo "bracketed:", Err.Number
Err.Clear
Set node = New Node
x = node.Again(1)
WScript.Echo "method:", Err.Number
Err.Clear
x = "a" & node
WScript.Echo "default property:", Err.Number
Err.Clear
x = ByEval(1)
WScript.Echo "through Eval:", Err.Number
Err.Clear
ByExecute 1
WScript.Echo "through Execute:", Err.Number
Err.Clear
' The allowance is whole again afterwards.
WScript.Echo Count(400), Err.Number
On Error GoTo 0
x = Down(1)
