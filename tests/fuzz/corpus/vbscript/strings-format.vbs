WScript.Echo FormatNumber(1234.567), FormatNumber(1234.567, 1), FormatNumber(0.5, 0), FormatNumber(-1234.5, 2)
WScript.Echo FormatNumber(0.25, 2, 0), FormatNumber(-5, 1, -1, -1), FormatNumber(1234567, 0, -1, 0, 0)
WScript.Echo FormatCurrency(1234.5), FormatCurrency(-3), FormatPercent(0.256), FormatPercent(1, 0)
WScript.Echo FormatDateTime(#3/4/2020 13:05:06#, vbGeneralDate), FormatDateTime(#3/4/2020#, vbLongDate)
WScript.Echo FormatDateTime(#3/4/2020#, vbShortDate), FormatDateTime(#13:05:06#, vbLongTime), FormatDateTime(#13:05:06#, vbShortTime)
WScript.Echo CStr(1.5), CStr(1E+20), CStr(1E-05), CStr(123456789012345678), CStr(-0.5), CStr(True)
WScript.Echo 1 / 3 * 3, 100000 * 100000, 0.1 * 3, CSng(1) / 3
