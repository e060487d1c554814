' Run under a comma-decimal locale: script numbers still read and print with a point.
x = 2.5
WScript.Echo x, x * 2, .5 + 1, 1.5E-7, 1E+20, 1 / 8
WScript.Echo CStr(1.25), CDbl("3.75") + 1, CSng("0.1"), CCur("12.34") * 2
WScript.Echo "2.5" * 2, "1e3" + 0, IsNumeric("2.5"), Eval("2.5 * 4")
WScript.Echo FormatNumber(1234.5), FormatNumber(0.5, 3), FormatCurrency(-9876.543), FormatPercent(0.125)
WScript.Echo CDbl(1) / 3, CSng(1) / 3, 2 ^ 0.5
Set d = CreateObject("Scripting.Dictionary")
d.Add 0.5, "half"
WScript.Echo d.Exists(1 / 2), d(0.5)
Execute "y = 0.75"
WScript.Echo y * 4
