' A sign belongs to the operand next to it, so it is applied before ^: -3 ^ 2 is 9, where
' the language reference's table of precedence would give -9.
WScript.Echo -3 ^ 2, -2 ^ 3, 2 * -3 ^ 2, 10 - 3 ^ 2
WScript.Echo -(3 ^ 2), 2 ^ -1, 2 ^ 3 ^ 2, - -2 ^ 2
x = 4
WScript.Echo -x ^ 2, -x ^ 3
