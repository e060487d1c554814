Class Counter
    Private m_count
    Public Name

    Private Sub Class_Initialize()
        m_count = 0
        Name = "unnamed"
    End Sub

    Public Sub Increment(by)
        m_count = m_count + by
    End Sub

    Public Property Get Count()
        Count = m_count
    End Property

    Public Property Let Count(v)
        If v < 0 Then Err.Raise 5
        m_count = v
    End Property

    Public Function Describe()
        Describe = Name & "=" & Count
    End Function

    Public Function Self()
        Set Self = Me
    End Function
End Class

Set c = New Counter
c.Increment 2
c.Increment 3
WScript.Echo c.Count, c.Describe(), TypeName(c)
c.Name = "clicks"
c.Count = 10
WScript.Echo c.Describe(), c.Self() Is c
Set d = New Counter
WScript.Echo d.Count, c Is d
With c
    .Increment 1
    WScript.Echo .Count
End With
c.Count = -1
