Option Explicit
Dim a, b(2), c()
Const PI = 3.14, NAME = "circle"
Const NEG = -5
a = PI * 2
b(0) = "zero" : b(2) = "two"
WScript.Echo a, NAME, NEG, b(0), IsEmpty(b(1)), UBound(b)
ReDim c(1)
c(1) = "one"
ReDim Preserve c(3)
WScript.Echo UBound(c), c(1), IsEmpty(c(3))
ReDim c(2)
WScript.Echo IsEmpty(c(1))
Erase b
WScript.Echo UBound(b), IsEmpty(b(0))
undeclared = 1
