' A default member that hands back its own object never reaches a plain value.
Class Looping
    Public Default Property Get Value
        Set Value = Me
    End Property
End Class
Class Inner
    Public Default Function Text
        Text = "inner"
    End Function
End Class
Class Outer
    Private m_inner
    Private Sub Class_Initialize
        Set m_inner = New Inner
    End Sub
    Public Default Property Get Item
        Set Item = m_inner
    End Property
End Class

Set o = New Looping
On Error Resume Next
x = "a" & o
WScript.Echo "concatenated:", Err.Number, Err.Description
Err.Clear
x = o
WScript.Echo "assigned:", Err.Number, Err.Description
Err.Clear
x = o + 1
WScript.Echo "added:", Err.Number, Err.Description
Err.Clear
c = (o = 1)
WScript.Echo "compared:", Err.Number
Err.Clear
x = CStr(o)
WScript.Echo "CStr:", Err.Number
On Error GoTo 0
' A default that hands over another object is followed to that object's default.
Set w = New Outer
WScript.Echo "a" & w, Len(w)
y = w
WScript.Echo y, TypeName(y)
