' Recursion with by-reference accumulators and arrays built up level by level.
Sub Collect(n, ByRef acc)
    If n = 0 Then Exit Sub
    acc = acc & n
    Collect n - 1, acc
End Sub
result = ""
Collect 5, result
WScript.Echo result
Function Sum(arr, i)
    If i > UBound(arr) Then
        Sum = 0
    Else
        Sum = arr(i) + Sum(arr, i + 1)
    End If
End Function
WScript.Echo Sum(Array(1, 2, 3, 4), 0)
Function Hanoi(n, a, b, c)
    If n = 0 Then
        Hanoi = 0
    Else
        Hanoi = Hanoi(n - 1, a, c, b) + 1 + Hanoi(n - 1, c, b, a)
    End If
End Function
WScript.Echo Hanoi(10, "A", "B", "C")
Function Ack(m, n)
    If m = 0 Then
        Ack = n + 1
    ElseIf n = 0 Then
        Ack = Ack(m - 1, 1)
    Else
        Ack = Ack(m - 1, Ack(m, n - 1))
    End If
End Function
WScript.Echo Ack(2, 3)
Sub ModifyLocalCopy(ByVal arr)
    arr(0) = "changed"
End Sub
data = Array("original")
ModifyLocalCopy data
WScript.Echo data(0)
Sub SetObj(ByRef o)
    Set o = CreateObject("Scripting.Dictionary")
End Sub
Dim holder
SetObj holder
WScript.Echo TypeName(holder)
