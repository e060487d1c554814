' Arguments outside what a function takes stop it with Invalid procedure call or argument,
' rather than being read as the nearest value that works.
On Error Resume Next
Sub Report(label)
    WScript.Echo label & ": " & Err.Number
    Err.Clear
End Sub

x = RGB(-1, 30, 59) : Report "RGB red below 0"
x = RGB(10, -1, 59) : Report "RGB green below 0"
x = RGB(10, 30, -5) : Report "RGB blue below 0"
WScript.Echo RGB(300, 0, 256)

' The compare argument is 0 or 1; vbDatabaseCompare has no database to ask.
x = InStr(1, "abc", "b", 2) : Report "InStr compare 2"
x = InStr(1, "abc", "b", -1) : Report "InStr compare -1"
x = InStrRev("abc", "b", -1, 2) : Report "InStrRev compare 2"
x = Split("a,b", ",", -1, 3) : Report "Split compare 3"
x = Replace("abc", "b", "x", 1, -1, 2) : Report "Replace compare 2"
x = StrComp("a", "b", 2) : Report "StrComp compare 2"
x = StrComp(Null, "b", 5) : Report "StrComp Null, compare 5"
x = Filter(Array("a", "b"), "a", True, 2) : Report "Filter compare 2"
WScript.Echo InStr(1, "aBc", "b", 1), InStrRev("aBc", "b", -1, vbTextCompare), StrComp("a", "A", 1)

x = Split("a,b", ",", -2) : Report "Split count -2"
x = Replace("abc", "b", "x", 1, -2) : Report "Replace count -2"
WScript.Echo UBound(Split("a,b,c", ",", -1)), Replace("abab", "a", "x", 1, -1)

x = Weekday(#2024-01-01#, 10) : Report "Weekday first day 10"
x = Weekday(#2024-01-01#, -1) : Report "Weekday first day -1"
x = DateSerial(10000, 1, 1) : Report "DateSerial year 10000"
WScript.Echo Weekday(#2024-01-01#, 7), Year(DateSerial(9999, 12, 31))
' A start past the end finds nothing, not even the empty string.
WScript.Echo InStrRev("", "", 3, 0), InStrRev("ab", "", 3), InStrRev("abc", "", 2), InStrRev("", "")
