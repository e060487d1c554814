WScript.Echo "3" + 4, TypeName("3" + 4), "3" & 4, "3" + "4", "3" * "4"
WScript.Echo 32767 + 1, TypeName(32767 + 1), TypeName(2147483647 + 1), -32768 - 1
WScript.Echo TypeName(CInt(1) * CInt(2)), TypeName(CByte(200) + CByte(100)), CByte(200) + CByte(100)
WScript.Echo True + True, TypeName(True + 1), Empty + 1, TypeName(Empty + Empty)
WScript.Echo 10 / 4, TypeName(10 / 2), 10 \ 4, TypeName(10 \ 4), -7 \ 2, -7 Mod 3
WScript.Echo #1/1/2020# + 1, TypeName(#1/1/2020# + 1), #1/3/2020# - #1/1/2020#
WScript.Echo CCur(1.23456) * 2, TypeName(CCur(1) + 1), 1.5 + CSng(1)
x = 1 : y = "1"
WScript.Echo x = y, x = "1", 1 = y, x < y, "10" < "9", 10 < 9
WScript.Echo 1 = 1.0, CInt(1) = CLng(1), "a" = "A", StrComp("a", "A", 1)
WScript.Echo Null = Null, IsNull(Null = 1), Null & "x", TypeName(Null And False), Null And False, Null Or True
WScript.Echo 1E+300 * 1
z = "abc" * 2
