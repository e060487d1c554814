' What brackets give can be called, indexed or asked for a member, in a Call and in an
' expression.
Class C
    Public Default Function Twice(n)
        Twice = n * 2
        WScript.Echo "Twice", n
    End Function
    Function M()
        M = 3
        WScript.Echo "M"
    End Function
    Property Get P
        P = 4
    End Property
End Class
Set x = New C
Call (x)(1)
Call (New C).M()
Call (New C).M
v = (New C).P
WScript.Echo v
Function f()
    f = Array(10, 20)
End Function
y = (f)(1)
WScript.Echo y
a = Array(7, 8)
y = ((a))(0)
WScript.Echo y
WScript.Echo (x)(5), (a)(1) + 1, (2) * 3
