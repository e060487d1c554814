' Multiline moves ^ and $ to every line; "." never crosses a line feed either way.
Set re = New RegExp
re.Global = True
lf = "one" & vbLf & "two" & vbLf & "three"
crlf = "one" & vbCrLf & "two" & vbCrLf & "three"

Function Found(pattern, text)
    re.Pattern = pattern
    Dim list, m
    list = ""
    For Each m In re.Execute(text)
        list = list & "[" & Replace(Replace(m.Value, vbCr, "\r"), vbLf, "\n") & "@" & m.FirstIndex & "]"
    Next
    Found = pattern & " " & re.Execute(text).Count & " " & list
End Function

WScript.Echo Found("^\w+", lf)
WScript.Echo Found("\w+$", lf)
WScript.Echo Found("^t", lf)
re.Multiline = True
WScript.Echo Found("^\w+", lf)
WScript.Echo Found("\w+$", lf)
WScript.Echo Found("^t\w*$", lf)
WScript.Echo Found("^\w+$", crlf)
' A carriage return ends a line on its own, so between \r and \n there is an empty line.
WScript.Echo Found("^$", crlf)
WScript.Echo Found("^", "a" & vbCr & "b")
WScript.Echo Found("o$\n^t", lf)
WScript.Echo Found("e.", lf)

re.Multiline = False
WScript.Echo Found("^$", "")
WScript.Echo Found("e$", lf)
WScript.Echo Found("[\s\S]+", "a" & vbLf & "b")

' Replace line by line, and Test, with Multiline and IgnoreCase together.
re.Multiline = True
re.IgnoreCase = True
re.Pattern = "^(T\w+)"
WScript.Echo Replace(re.Replace(lf, "* $1"), vbLf, "|")
re.Global = False
WScript.Echo Replace(re.Replace(lf, "* $1"), vbLf, "|")
re.Pattern = "^THREE$"
WScript.Echo re.Test(lf), re.Test("three" & vbCrLf), re.Test("threes")
