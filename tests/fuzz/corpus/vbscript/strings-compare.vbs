WScript.Echo "abc" = "abc", "abc" = "ABC", "a" < "b", "B" < "a", "" < "a", "abc" > "ab"
WScript.Echo StrComp("abc", "ABD", 1), StrComp("abc", "abd", 0), IsNull(StrComp(Null, "a"))
WScript.Echo LCase("ÄÖÜ Straße"), UCase("àéî"), Len(LCase("ÄÖÜ"))
WScript.Echo InStr(1, "Hello", "L", vbTextCompare), InStr(1, "Hello", "L", vbBinaryCompare)
WScript.Echo InStr(10, "Hello", "l"), InStr(Null, "x"), InStrRev("a,b,c", ",", -1), InStrRev("abc", "c", 2)
WScript.Echo Left("abc", 10), Right("abc", 0) = "", Mid("abc", 2, 100), Len(String(0, "x"))
Dim parts
parts = Split("a|b|c", "|", -1, vbBinaryCompare)
For Each p In parts
    out = out & "<" & p & ">"
Next
WScript.Echo out
WScript.Echo Asc(Chr(200)), AscW(ChrW(8364)), ChrW(-1) = ChrW(65535)
x = Left("abc", -1)
