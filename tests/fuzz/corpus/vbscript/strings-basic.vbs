s = "Hello, World"
WScript.Echo Len(s), Left(s, 5), Right(s, 5), Mid(s, 8), Mid(s, 8, 3), Mid(s, 50) = ""
WScript.Echo LCase(s), UCase(s), "[" & Trim("  a b  ") & "]", "[" & LTrim("  a ") & "]", "[" & RTrim(" a  ") & "]"
WScript.Echo InStr(s, "o"), InStr(6, s, "o"), InStr(s, "z"), InStr(1, s, "WORLD", 1), InStr(s, "")
WScript.Echo InStrRev(s, "o"), InStrRev(s, "o", 8), InStrRev(s, "xyz")
WScript.Echo StrReverse("abc"), String(3, "ab"), String(2, 65), "[" & Space(3) & "]"
WScript.Echo Asc("A"), AscW("é"), Chr(66), ChrW(233), Len(ChrW(233))
WScript.Echo StrComp("a", "b"), StrComp("b", "a"), StrComp("a", "a"), StrComp("A", "a"), StrComp("A", "a", vbTextCompare)
WScript.Echo IsNull(Len(Null)), IsNull(Left(Null, 1)), IsNull(UCase(Null))
WScript.Echo Len("€uro"), Mid("€uro", 1, 1)
WScript.Echo Hex(255), Hex(-1), Hex(-1&), Hex(65536), Oct(8), Oct(-1)
x = Mid(s, 0)
