' A subscript that calls a function which assigns the array anew: the element is looked up
' in the new array, after the subscripts are known.
Dim a
Function shrink()
    a = Array("only")
    shrink = 2
End Function
Function grow()
    a = Array(10, 20, 30, 40)
    grow = 3
End Function

a = Array(1, 2, 3)
On Error Resume Next
a(shrink()) = 5
WScript.Echo Err.Number, Err.Description, UBound(a), a(0)
Err.Clear
On Error GoTo 0

a = Array(1)
a(grow()) = 99
WScript.Echo UBound(a), a(3)
