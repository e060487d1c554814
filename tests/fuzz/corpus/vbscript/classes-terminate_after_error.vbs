' A script that ends with a run-time error fires no Class_Terminate for what it leaves.
Class Tracked
    Private Sub Class_Terminate
        WScript.Echo "terminate"
    End Sub
End Class
Set kept = New Tracked
Set gone = New Tracked
Set gone = Nothing
x = 1 / 0
