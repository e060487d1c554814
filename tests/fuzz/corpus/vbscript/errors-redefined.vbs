Sub A
End Sub
Sub A
End Sub
