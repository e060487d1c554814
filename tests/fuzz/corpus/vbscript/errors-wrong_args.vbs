Function Two(a, b)
    Two = a + b
End Function
WScript.Echo Two(1, 2)
WScript.Echo Two(1)
