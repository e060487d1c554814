' Public Default Function and Property Get stand for the object where a value is wanted.
Class Doubler
    Public Default Function Twice(n)
        Twice = n * 2
    End Function
End Class
Class Store
    Private m_items
    Private Sub Class_Initialize
        Set m_items = CreateObject("Scripting.Dictionary")
    End Sub
    Public Default Property Get Item(key)
        Item = m_items(key)
    End Property
    Public Property Let Item(key, value)
        m_items(key) = value
    End Property
End Class
Class Label
    Public Text
    Public Default Property Get Value
        Value = "<" & Text & ">"
    End Property
End Class

Set d = New Doubler
WScript.Echo d(21), d.Twice(5)
Set s = New Store
s("colour") = "blue"
s.Item("size") = 3
WScript.Echo s("colour"), s.Item("size") + 1
Set l = New Label
l.Text = "hi"
plain = l
WScript.Echo plain, TypeName(plain), "say " & l, l = "<hi>", Len(l)
On Error Resume Next
Set x = New NoSuchClass
WScript.Echo "New of an unknown class:", Err.Number, Err.Description
