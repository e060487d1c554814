' Array takes any number of elements.
a = Array()
WScript.Echo UBound(a), IsArray(a)
b = Array(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20)
WScript.Echo UBound(b), b(0), b(19), Join(b, "")
c = Array(Array(1, 2), "x", Empty, Null, 2.5, True, Nothing, a, "i", "j")
WScript.Echo UBound(c), c(0)(1), c(9), TypeName(c(6)), UBound(c(7))
