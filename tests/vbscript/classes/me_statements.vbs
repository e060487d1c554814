' Statements inside a class may start with Me.
Class Box
    Public v
    Public Sub SetIt(x)
        v = x
    End Sub
    Public Function Twice(x)
        Twice = 2 * x
    End Function
    Public Sub Run()
        Me.v = 1
        WScript.Echo "Me.v =", v
        Me.SetIt 5
        WScript.Echo "Me.SetIt 5:", v
        Me.SetIt(6)
        WScript.Echo "Me.SetIt(6):", v
        Me.SetIt Me.Twice(4)
        WScript.Echo "Me.SetIt Me.Twice(4):", Me.v
        Set Me.v = Nothing
        WScript.Echo "Set Me.v:", TypeName(v)
        Call Me.SetIt(7)
        WScript.Echo "Call Me.SetIt(7):", v
    End Sub
End Class
Set b = New Box
b.Run
