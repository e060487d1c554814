' Patterns the dialect refuses raise their error at Test, Execute or Replace, not when the
' pattern is set; the RegExp stays usable.
Set re = New RegExp
On Error Resume Next

Sub Try(pattern)
    On Error Resume Next
    Dim setting
    re.Pattern = pattern
    setting = Err.Number
    x = re.Test("abc")
    WScript.Echo "[" & pattern & "]", setting, Err.Number, Err.Description
End Sub

Try "a\"
Try "(?<name>a)"
Try "(?i)a"
Try "(?<=a)b"
Try "(?>a)"
Try "a)"
Try "a{3,2}"
Try "*a"
Try "a|+"
Try "(+a)"
Try "a**"
Try "a*+"
Try "a{2}{3}"
Try "a???"
Try "^*"
Try "\b+"
Try "(*ACCEPT)"
Try "{2}"
Try "[abc"
Try "[a\"
Try "a[]]["
Try "(abc"
Try "((a)"
Try "[z-a]"

' The other methods raise the same, and a good pattern afterwards works again.
re.Pattern = "(x"
Set ms = re.Execute("x")
WScript.Echo Err.Number, IsEmpty(ms)
Err.Clear
r = re.Replace("x", "y")
WScript.Echo Err.Number, IsEmpty(r)
Err.Clear
re.Pattern = "(x)"
WScript.Echo re.Replace("axb", "[$1]"), Err.Number

' The descriptions are known to Err.Raise as well.
For n = 5017 To 5021
    Err.Raise n
    WScript.Echo Err.Number, Err.Description
    Err.Clear
Next

' A pattern that backtracks without end stops with "Out of stack space"; the script goes on.
re.Pattern = "^(a+)+$"
found = re.Test(String(40, "a") & "!")
WScript.Echo Err.Number, Err.Description, IsEmpty(found)
Err.Clear
re.Pattern = "^(a|b)+$"
WScript.Echo re.Test(String(100000, "a")), Err.Number
re.Pattern = "(a|b)*"
WScript.Echo re.Execute(String(100000, "b"))(0).Length, Err.Number
On Error GoTo 0

' Without On Error the script stops at the line that used the pattern.
re.Pattern = "[b-a]"
WScript.Echo "before"
WScript.Echo re.Test("a")
WScript.Echo "not reached"
