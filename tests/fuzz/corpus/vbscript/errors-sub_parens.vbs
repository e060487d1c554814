Sub Show(a, b)
End Sub
Show(1, 2)
