' Outside a class, Property is an ordinary name.
Dim property
property = 5
WScript.Echo property
property = property + 1
WScript.Echo "Property:", Property
For Each property In Array("a", "b")
    WScript.Echo "each", property
Next
Function Show(property)
    Show = "[" & property & "]"
End Function
WScript.Echo Show(property)
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", 1
WScript.Echo d.Count
Class WithProperty
    Private m_v
    Public Property Get Value
        Value = m_v
    End Property
    Public Property Let Value(x)
        m_v = x
    End Property
End Class
Set w = New WithProperty
w.Value = property & "!"
WScript.Echo w.Value
Property = "again"
WScript.Echo Property
