Option Explicit
Dim total
Sub AddUp(n)
    Dim i
    For i = 1 To n
        total = total + i
    Next
    Dim late
    late = "declared after use is fine"
    WScript.Echo late
End Sub
AddUp 4
WScript.Echo total
Sub Broken
    typo = 1
End Sub
Broken
