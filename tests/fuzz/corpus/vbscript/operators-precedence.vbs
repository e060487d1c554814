WScript.Echo 2 + 3 * 4, (2 + 3) * 4, 2 ^ 3 ^ 2, -2 ^ 2, 2 ^ -1
WScript.Echo 10 - 4 - 3, 100 / 10 / 5, 17 \ 5 * 2, 17 Mod 5 * 2, 5 + 17 Mod 5
WScript.Echo "a" & 1 + 2, 1 + 2 & 3, Not 1 = 2, Not True And False
WScript.Echo True Or False And False, True Xor True, True Eqv False, False Imp False, True Imp False
WScript.Echo 12 And 10, 12 Or 3, 12 Xor 10, Not 5, Not CByte(5), -1 Eqv 0
WScript.Echo 1 < 2 = True, 3 > 2 > 1, 5 >= 5, 5 <= 4, 5 <> 4
a = 2 : b = 3
WScript.Echo a*b+a/b-a\b, a^b, -a^b, a Mod b
Set o = CreateObject("Scripting.Dictionary")
Set p = o
WScript.Echo o Is p, Not o Is Nothing
