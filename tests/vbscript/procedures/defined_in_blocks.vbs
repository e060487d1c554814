' Procedures and constants are defined as the code is compiled: inside a block that never
' runs they exist all the same, and a procedure defined again is called in its last form.
Option Explicit
WScript.Echo "before the If", K
If False Then
    Sub S(a)
        Const L = 3
        If a Then
            Const M = 4
        End If
        WScript.Echo "S", a, L, M
    End Sub
    Const K = 5
    Function G()
        Dim i
        For i = 1 To 2
        Next
        G = "G"
    End Function
End If
Do While False
    Sub InLoop
        WScript.Echo "InLoop"
    End Sub
Loop
S False
InLoop
WScript.Echo K, G()

Function F()
    F = 1
End Function
WScript.Echo "F", F()
Function F()
    F = 2
End Function
Sub T
    WScript.Echo "first T"
End Sub
Sub T
    WScript.Echo "second T"
End Sub
T
