' Null where a function needs a string or a number is Invalid use of Null; the functions
' that pass Null through give it back, and the Format functions call it a Type mismatch.
On Error Resume Next
Sub Report(label)
    WScript.Echo label & ": " & Err.Number
    Err.Clear
End Sub

x = Split(Null) : Report "Split(Null)"
x = Split("a b", Null) : Report "Split delimiter Null"
x = InStrRev(Null, "a") : Report "InStrRev(Null, ""a"")"
x = InStrRev("abc", Null) : Report "InStrRev(""abc"", Null)"
x = Replace(Null, "a", "b") : Report "Replace(Null, ...)"
x = Replace("abc", Null, "b") : Report "Replace find Null"
x = Replace("abc", "a", Null) : Report "Replace with Null"
x = Sgn(Null) : Report "Sgn(Null)"
x = Mid("abc", Null) : Report "Mid(s, Null)"
x = MonthName(1, Null) : Report "MonthName(1, Null)"

x = FormatNumber(Null) : Report "FormatNumber(Null)"
x = FormatCurrency(Null) : Report "FormatCurrency(Null)"
x = FormatPercent(Null) : Report "FormatPercent(Null)"
x = FormatDateTime(Null) : Report "FormatDateTime(Null)"
WScript.Echo IsNull(DateAdd("q", 1, Null)), IsNull(DateAdd("d", 1, Null))
WScript.Echo Sgn(-3), InStrRev("abcabc", "b")

Class NoDefault
    Public Name
End Class
Class WithDefault
    Public Default Property Get Value
        Value = Array("p", "q")
    End Property
End Class
x = Join(Null) : Report "Join(Null)"
x = Join(Array("a", Null, "c")) : Report "Join with a Null element"
Dim grid(1, 1)
x = Join(grid) : Report "Join of two dimensions"
x = Join(Array("a", New NoDefault)) : Report "Join with an object without a default"
x = Join(New NoDefault) : Report "Join of an object without a default"
WScript.Echo Join(New WithDefault, "+"), Join(Array(1, Empty, True), "-")

x = "" & Nothing : Report """"" & Nothing"
x = Nothing & "a" : Report "Nothing & ""a"""
WScript.Echo "[" & Null & "]"
