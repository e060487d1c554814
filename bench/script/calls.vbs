Function AddOne(x)
    AddOne = x + 1
End Function
s = 0
For i = 1 To 1000000
    s = AddOne(s)
Next
WScript.Echo s
