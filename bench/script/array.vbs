Dim a(999999)
For i = 0 To 999999
    a(i) = i
Next
s = 0
For i = 0 To 999999
    s = s + a(i)
Next
WScript.Echo s
