' Doubles have no infinity in VBScript: what would overflow raises Overflow instead.
Sub Try(label, expr)
    On Error Resume Next
    Dim r
    r = Eval(expr)
    If Err.Number = 0 Then
        WScript.Echo label & ": " & r
    Else
        WScript.Echo label & ": error " & Err.Number & " " & Err.Description
    End If
End Sub
big = 1E+300
Try "1E+300 * 1E+300", "1E+300 * 1E+300"
Try "big * big", "big * big"
Try "-big * big", "-big * big"
Try "big * 1E+300 + 1", "big * 1E+300 + 1"
Try "1.7976931348623157E+308 + 1E+292", "1.7976931348623157E+308 + 1E+292"
Try "-1.7976931348623157E+308 - 1E+292", "-1.7976931348623157E+308 - 1E+292"
Try "big / 1E-300", "big / 1E-300"
Try "big ^ 2", "big ^ 2"
Try "CSng(3E+38) * CSng(10)", "CSng(3E+38) * CSng(10)"
Try "CSng(3E+38) / CSng(0.1)", "CSng(3E+38) / CSng(0.1)"
Try "CDbl(""1e309"")", "CDbl(""1e309"")"
Try "CDbl(""-1e309"")", "CDbl(""-1e309"")"
Try "CDbl(""1e308"")", "CDbl(""1e308"")"
Try """1e309"" + 0", """1e309"" + 0"
Try "Exp(1000)", "Exp(1000)"
Try "1e309", "1e309"
Try "1.7976931348623157E+308", "1.7976931348623157E+308"
Try "IsNumeric(""1e309"")", "IsNumeric(""1e309"")"
' Round leaves a number it cannot scale as it is.
Try "Round(1e300, 20)", "Round(1e300, 20)"
Try "Round(1.25, 400)", "Round(1.25, 400)"
Try "Round(0, 400)", "Round(0, 400)"
Try "Round(-1.25, 308)", "Round(-1.25, 308)"
Try "Round(123456789.125, 2)", "Round(123456789.125, 2)"
Try "Round(0.1, 20)", "Round(0.1, 20)"
Try "Round(1.25, -1)", "Round(1.25, -1)"
' Statements with the overflow raise it where they run.
On Error Resume Next
x = 5
x = big * big
WScript.Echo "x kept:", x, Err.Number
Err.Clear
For i = 1.7976931348623157E+308 - 1E+292 To 1.7976931348623157E+308 Step 1E+292
    n = n + 1
Next
WScript.Echo "For stepping past the largest:", n, Err.Number
