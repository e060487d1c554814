x = 5
If x > 3 Then WScript.Echo "big" Else WScript.Echo "small"
If x < 3 Then WScript.Echo "a" : WScript.Echo "b"
If x = 5 Then
    WScript.Echo "five"
ElseIf x = 6 Then
    WScript.Echo "six"
Else
    WScript.Echo "other"
End If
If x = 6 Then
    WScript.Echo "six"
ElseIf x > 4 Then
    WScript.Echo "more than four"
End If
If Null Then WScript.Echo "null is true" Else WScript.Echo "null is false"
If x Then WScript.Echo "non-zero is true"
If "True" Then WScript.Echo "string True"
If x > 1 Then If x > 2 Then WScript.Echo "nested single line"
