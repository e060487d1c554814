Function Kind(v)
    Select Case v
        Case "a", "b"
            Kind = "letter"
        Case 1, 2, 3
            Kind = "small"
        Case 4 To 9
            Kind = "medium"
        Case Is >= 10
            Kind = "large"
        Case Else
            Kind = "other"
    End Select
End Function
WScript.Echo Kind(2), Kind(5), Kind(100), Kind("b"), Kind(-1)
Select Case "x"
Case "y": WScript.Echo "y"
End Select
WScript.Echo "no match is fine"
