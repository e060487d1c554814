Sub Main
WScript.Echo "x"
Sub Inner
End Sub
End sub
