s = ""
For i = 1 To 1048576
    s = s & "x"
Next
WScript.Echo Len(s)
