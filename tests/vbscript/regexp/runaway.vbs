' A search that tries every start and each time runs to the end of a megabyte would take
' hours; it is given up with "Out of stack space" and the script carries on.
Set re = New RegExp
re.Pattern = "(a|b)*c"
text = String(1000000, "a")
On Error Resume Next
found = re.Test(text)
WScript.Echo Err.Number, Err.Description, IsEmpty(found)
Err.Clear
re.Global = True
' The same text with a pattern that needs one pass.
re.Pattern = "a+"
WScript.Echo Len(re.Replace(text, "x")), re.Execute(text).Count, Err.Number
