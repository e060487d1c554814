' A statement may end where the End of its procedure, class or single-line If starts, and a
' single-line If ends with its line.
Sub Assigns()
    x = 1 End Sub
Sub Header() WScript.Echo "header line" End Sub
Function F(a) F = a * 2 End Function
Class C
    Public v End Class

Assigns
Header
WScript.Echo F(4)
Set o = New C
o.v = "field"
WScript.Echo o.v

' Nothing after the ':' of `Then :`, so the next line is not part of the If.
if false then :
WScript.Echo "after empty If"
If False Then : WScript.Echo "not shown"
If True Then : WScript.Echo "after colon"

If True Then b = 1 Else c = 2 End If
If False Then d = 1 Else e = 2 End If
WScript.Echo b, c, d, e

' The Else on the next line belongs to the block If, not to the one-line If before it.
For Each t In Array(True, False)
    If t Then
        If Not t Then WScript.Echo "inner"
    Else
        WScript.Echo "outer else"
    End If
    If t Then
        WScript.Echo "then"
    ElseIf t = False Then
        If t Then WScript.Echo "inner" Else WScript.Echo "inner else"
    Else
        WScript.Echo "not reached"
    End If
Next
' An empty single-line If may end the code.
If False Then :