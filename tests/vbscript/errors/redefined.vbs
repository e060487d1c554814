Sub A
End Sub
Sub A
    Dim x, x
End Sub
