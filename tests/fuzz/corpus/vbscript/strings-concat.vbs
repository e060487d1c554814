' Appending keeps values independent even when the string is shared.
s = "ab"
t = s
s = s & "c"
WScript.Echo s, t
For i = 1 To 3
    s = s & i
Next
WScript.Echo s, Len(s)
s = s & s
WScript.Echo s
n = 5
n = n & "x"
WScript.Echo n, TypeName(n)
e = Empty
e = e & "y"
WScript.Echo e
u = Null
u = u & "z"
WScript.Echo u
Dim arr(1)
arr(0) = "p"
arr(0) = arr(0) & "q"
WScript.Echo arr(0)
