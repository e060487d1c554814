WScript.Echo CInt(2.5), CInt(3.5), CInt(-2.5), CLng("42"), CLng(" 7 "), CInt("&H10")
WScript.Echo CBool(0), CBool(-3), CBool("true"), CBool("False"), CBool("1")
WScript.Echo CDbl("1.5e2"), CSng("0.1"), CByte(255.4), CCur("12.34567")
WScript.Echo CDate("2021-07-09"), CDate(1), CDate("10:30 PM"), CStr(CDate(0.5))
WScript.Echo Int(-1.5), Fix(-1.5), Int(1.9), Fix(1.9), TypeName(Int(CInt(3))), TypeName(Int("2.5"))
WScript.Echo Round(2.5), Round(3.5), Round(-2.5), Round(1.2345, 2), Round(0.5), Round(1.5), TypeName(Round(CInt(2)))
WScript.Echo IsNumeric("12"), IsNumeric("1e3"), IsNumeric("abc"), IsNumeric(""), IsNumeric(Empty), IsNumeric(Null), IsNumeric(" 5 ")
WScript.Echo IsDate("2020-02-30"), IsDate("2020-02-29"), IsDate("hello"), IsDate(#1/1/2000#), IsDate("March 5, 2021")
On Error Resume Next
x = CByte(256)
WScript.Echo Err.Number
Err.Clear
x = CInt("abc")
WScript.Echo Err.Number
Err.Clear
x = CLng(Null)
WScript.Echo Err.Number, Err.Description
