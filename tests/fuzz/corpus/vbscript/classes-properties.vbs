Class Box
    Private m_item, m_label
    Public Default Property Get Label()
        Label = m_label
    End Property
    Public Property Let Label(v)
        m_label = UCase(v)
    End Property
    Public Property Set Item(o)
        Set m_item = o
    End Property
    Public Property Get Item()
        Set Item = m_item
    End Property
    Public Sub Rename(ByRef target)
        target = "renamed by " & Me.Label
    End Sub
    Private Sub Hidden()
    End Sub
End Class
Set b = New Box
b.Label = "first"
WScript.Echo b.Label, b
Set b.Item = CreateObject("Scripting.Dictionary")
b.Item.Add "k", 1
WScript.Echo b.Item.Count, TypeName(b.Item)
n = "x"
b.Rename n
WScript.Echo n
WScript.Echo "Label: " & b
Set c = b
c.Label = "shared"
WScript.Echo b.Label
b.Missing
