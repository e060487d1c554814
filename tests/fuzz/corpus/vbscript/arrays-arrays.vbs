Dim m(2, 3)
For i = 0 To 2
    For j = 0 To 3
        m(i, j) = i * 10 + j
    Next
Next
WScript.Echo m(2, 3), m(1, 0), UBound(m), UBound(m, 2), LBound(m, 2)
a = Array(1, 2, 3)
b = a
b(0) = 99
WScript.Echo a(0), b(0), IsArray(a), IsArray(1)
Dim dyn()
WScript.Echo IsArray(dyn)
ReDim dyn(2, 1)
dyn(2, 1) = "last"
ReDim Preserve dyn(2, 4)
WScript.Echo dyn(2, 1), UBound(dyn, 2)
Sub Fill(arr)
    arr(0) = "filled"
End Sub
Fill a
WScript.Echo a(0)
nested = Array(Array(1, 2), Array(3, 4))
WScript.Echo nested(1)(0), UBound(nested(0))
For Each row In m
    total = total + row
Next
WScript.Echo total
e = Array()
WScript.Echo UBound(e), LBound(e)
WScript.Echo m(3, 0)
