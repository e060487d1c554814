For i = 10 To 1 Step -3
    s = s & i & " "
Next
WScript.Echo s, i
For i = 1 To 0
    WScript.Echo "never"
Next
WScript.Echo i
For x = 0.5 To 2 Step 0.5
    t = t & x & ";"
Next
WScript.Echo t
n = 0
Do
    n = n + 1
    If n = 3 Then Exit Do
Loop
WScript.Echo n
Do Until n >= 6
    n = n + 1
Loop
WScript.Echo n
Do
    n = n - 1
Loop While n > 2
WScript.Echo n
Do
    n = n + 10
Loop Until True
WScript.Echo n
While n > 0
    n = n - 5
Wend
WScript.Echo n
For i = 1 To 3
    For j = 1 To 3
        If j = 2 Then Exit For
        WScript.Echo i, j
    Next
Next
For Each v In Array(1, "b", 3)
    u = u & v
Next
WScript.Echo u
For i = 1 To 3
    i = i + 1
    WScript.Echo "i", i
Next
