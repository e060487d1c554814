x = 1
If x = 1
    WScript.Echo x
End If
