Class Account
    Private balance
    Public Owner
    Private Sub Audit(msg)
        WScript.Echo "audit:", msg
    End Sub
    Public Sub Deposit(amount)
        balance = balance + amount
        Audit "deposit " & amount
    End Sub
    Public Property Get Total()
        Total = balance
    End Property
End Class
Set a = New Account
a.Owner = "Ann"
a.Deposit 5
a.Deposit 7
WScript.Echo a.Owner, a.Total
On Error Resume Next
a.Audit "outside"
WScript.Echo Err.Number
Err.Clear
x = a.balance
WScript.Echo Err.Number
On Error GoTo 0
a.balance = 1
