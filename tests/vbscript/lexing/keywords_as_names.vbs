' Property, Default, Error, Explicit and Step are keywords only where a declaration or a
' statement needs them; elsewhere they name variables, procedures, classes and members.
Option Explicit
Dim Property, Step
Step = 2: Property = "p"
WScript.Echo Step, Property
Dim i
For i = 1 To 5 Step Step
    WScript.Echo "for", i
Next

Sub Default(p)
    Dim Error, Explicit
    Error = p: Explicit = p + 1
    WScript.Echo "sub Default", Error, Explicit
End Sub
Default 7

Class Explicit
    Public Property
    Private Default
    Sub Step(p)
        Default = p
        Dim property
        For Each property In Array("a", "b")
            WScript.Echo "each", property
        Next
    End Sub
    Public Default Function Error
        Error = Default
    End Function
    Public Property Get Got
        Got = "got"
        Exit Property
    End Property
End Class

Dim o
Set o = New Explicit
o.Step 9
WScript.Echo o.Error, o, o.Got
o.Property = 3
WScript.Echo o.Property

Class Error
    Public Step
End Class
Dim e
Set e = New Error
e.Step = 1
WScript.Echo TypeName(e), e.Step
