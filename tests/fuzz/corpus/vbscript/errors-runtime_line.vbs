Function Inner(v)
    Inner = v * 2
    Dim arr(1)
    arr(v) = 1
End Function

WScript.Echo Inner(1)
WScript.Echo Inner(5)
