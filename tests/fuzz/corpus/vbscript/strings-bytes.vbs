' The B functions work on a string's bytes: two to each UTF-16 code unit, low byte first.
WScript.Echo LenB("abc"), LenB(""), IsNull(LenB(Null)), LenB(ChrB(65)), Len(ChrB(65))
WScript.Echo AscB("A"), AscB(ChrW(&H4142)), AscB(ChrB(200))
WScript.Echo MidB("abc", 3, 2), AscW(MidB("abc", 2, 2)), LenB(MidB("abc", 2)), MidB("abc", 7) = ""
WScript.Echo LeftB("abc", 4), RightB("abc", 2), LenB(LeftB("abc", 3)), RightB("abc", 10)
WScript.Echo InStrB("abc", "b"), InStrB(1, "abc", "c"), InStrB("abc", ChrB(0)), InStrB(4, "abcb", "b")
WScript.Echo InStrB("abc", "x"), InStrB("abc", ""), IsNull(InStrB(Null, "a"))
' Lone bytes join up with what follows into whole characters.
hi = ChrB(72) & ChrB(0) & ChrB(105) & ChrB(0)
WScript.Echo hi, Len(hi), LenB(hi)
odd = ChrB(65) & "B"
WScript.Echo LenB(odd), AscB(odd), AscB(MidB(odd, 2)), AscB(MidB(odd, 3))
WScript.Echo LeftB("abc", 5) & ChrB(0), ChrB(65) + ChrB(0) = "A"
On Error Resume Next
x = ChrB(256)
WScript.Echo "ChrB(256):", Err.Number
Err.Clear
x = AscB("")
WScript.Echo "AscB of nothing:", Err.Number
