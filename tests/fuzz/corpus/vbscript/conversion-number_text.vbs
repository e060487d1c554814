' Text becomes a number only when it reads as one; the whole part may group by thousands.
On Error Resume Next
x = "3,4" + 1
WScript.Echo """3,4"" + 1:", Err.Number, Err.Description
Err.Clear
x = "1/2/2000" + 1
WScript.Echo "a date text + 1:", Err.Number
Err.Clear
x = CDbl("1/2/2000")
WScript.Echo "CDbl of a date text:", Err.Number
Err.Clear
WScript.Echo CDbl("1,000"), CDbl("-1,234,567.5"), CLng("12,345"), "1,000" + 1, "1,000" * 2
WScript.Echo IsNumeric("1,000"), IsNumeric("12,345,678.9"), IsNumeric("3,4"), IsNumeric("1,00")
WScript.Echo IsNumeric(",100"), IsNumeric("1000,000"), IsNumeric("1,000,00"), IsNumeric("1,")
WScript.Echo "  12  " + 1, "&H10" + 0, "1e3" * 1, "-.5" * 2, CDate("1/2/2000") + 1
