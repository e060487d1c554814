' Dates run from 1 Jan 100 to 31 Dec 9999; what would leave that range is an error.
' A date whose value is 0 shows as the time alone.
WScript.Echo TimeSerial(0, 0, 0), TimeValue("00:00"), CDate(0), CDate("0:00")
WScript.Echo DateSerial(1899, 12, 30), CDate(0.25), CDate(-0.5), CDate(1)
WScript.Echo CDate(-657434), CDate(-657434.5), CDate(2958465), CDate(2958465.5)
WScript.Echo DateAdd("d", -1, #1/2/100#), DateAdd("s", 1, #12/31/9999 23:59:58#)
' DateAdd counts time forwards across day 0, where the stored fraction turns around.
WScript.Echo DateAdd("h", -18, #12/30/1899 6:00#), DateAdd("d", -1, #12/30/1899 6:00#), DateAdd("h", 30, #12/28/1899 18:00#)
WScript.Echo DateAdd("n", 1, CDate(-1.5)), DateAdd("d", 1, CDate(-1.25)), CDbl(DateAdd("h", -12, #12/30/1899 6:00#)), CDbl(DateAdd("h", 6, CDate(-1.75)))

Sub Try(label, expr)
    On Error Resume Next
    Dim r
    r = Eval(expr)
    If Err.Number = 0 Then
        WScript.Echo label & ": " & r
    Else
        WScript.Echo label & ": error " & Err.Number & " " & Err.Description
    End If
End Sub

' Converting a number or text out of range overflows.
Try "CDate(1e300)", "CDate(1e300)"
Try "CDate(2958466)", "CDate(2958466)"
Try "CDate(-657435)", "CDate(-657435)"
Try "Year(1e300)", "Year(1e300)"
Try "DateValue(1e10)", "DateValue(1e10)"
' Arithmetic that leaves the range overflows too.
Try "#12/31/9999# + 1", "#12/31/9999# + 1"
Try "#1/1/100# - 1", "#1/1/100# - 1"
Try "1 + #12/31/9999 12:00#", "1 + #12/31/9999 12:00#"
Try "-#12/31/9999#", "-#12/31/9999#"
Try "-#1/1/1900#", "-#1/1/1900#"
Try "#12/31/9999# - #1/1/100#", "#12/31/9999# - #1/1/100#"
' The functions that make a date give Invalid procedure call.
Try "DateAdd(""d"", 1, #12/31/9999#)", "DateAdd(""d"", 1, #12/31/9999#)"
Try "DateAdd(""s"", -1, #1/1/100#)", "DateAdd(""s"", -1, #1/1/100#)"
Try "DateAdd(""yyyy"", 1, #6/1/9999#)", "DateAdd(""yyyy"", 1, #6/1/9999#)"
Try "DateAdd(""m"", -1, #1/15/100#)", "DateAdd(""m"", -1, #1/15/100#)"
Try "DateAdd(""d"", 1e300, #1/1/2000#)", "DateAdd(""d"", 1e300, #1/1/2000#)"
Try "DateAdd(""yyyy"", 1e15, #1/1/2000#)", "DateAdd(""yyyy"", 1e15, #1/1/2000#)"
Try "DateSerial(10000, 1, 1)", "DateSerial(10000, 1, 1)"
Try "DateSerial(9999, 12, 32)", "DateSerial(9999, 12, 32)"
Try "DateSerial(100, 1, 0)", "DateSerial(100, 1, 0)"
Try "DateSerial(9999, 12, 31)", "DateSerial(9999, 12, 31)"
Try "TimeSerial(2147483647, 0, 0)", "TimeSerial(2147483647, 0, 0)"
Try "TimeSerial(-2147483647, 0, 0)", "TimeSerial(-2147483647, 0, 0)"
' A literal out of range is no date at all.
Try "#1/1/10000#", "#1/1/10000#"
Try "#12/31/99#", "#12/31/99#"
