' IsNumeric looks through an object to its default value, as arithmetic on it does.
Class Counter
    Public Default Property Get Value
        Value = 42
    End Property
End Class
Class Label
    Public Default Property Get Value
        Value = "forty-two"
    End Property
End Class
Class Plain
    Public Name
End Class
WScript.Echo IsNumeric(New Counter), IsNumeric(New Label), IsNumeric(New Plain), IsNumeric(Nothing)
WScript.Echo New Counter + 1
