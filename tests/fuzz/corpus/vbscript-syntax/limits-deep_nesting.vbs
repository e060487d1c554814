' Code nested past what the parser and the evaluator allow stops with Out of stack space.
On Error Resume Next
deep = String(30000, "(") & "1" & String(30000, ")")
x = Eval(deep)
WScript.Echo "Eval, 30000 brackets:", Err.Number, Err.Description
Err.Clear
Execute "x = " & deep
WScript.Echo "Execute, 30000 brackets:", Err.Number, Err.Description
Err.Clear
ExecuteGlobal "y = " & deep
WScript.Echo "ExecuteGlobal, 30000 brackets:", Err.Number, Err.Description
Err.Clear
x = Eval(Replace(Space(30000), " ", "-") & "1")
WScript.Echo "30000 signs:", Err.Number
Err.Clear
x = Eval(Replace(Space(30000), " ", "Not ") & "1")
WScript.Echo "30000 Nots:", Err.Number
Err.Clear
x = Eval(Replace(Space(30000), " ", "Len(") & "1" & String(30000, ")"))
WScript.Echo "30000 nested calls:", Err.Number
Err.Clear
x = Eval("1" & Replace(Space(30000), " ", " + 1"))
WScript.Echo "30000 additions in a row:", Err.Number
Err.Clear
x = Eval("Array(1)" & Replace(Space(30000), " ", "(0)"))
WScript.Echo "30000 subscripts in a row:", Err.Number
Err.Clear
Execute Replace(Space(30000), " ", "If True Then" & vbLf) & Replace(Space(30000), " ", "End If" & vbLf)
WScript.Echo "30000 nested Ifs:", Err.Number
Err.Clear
Execute Replace(Space(30000), " ", "If True Then ") & "z = 1"
WScript.Echo "30000 single-line Ifs:", Err.Number
Err.Clear
' Ordinary depths are untouched.
WScript.Echo Eval(String(100, "(") & "6 * 7" & String(100, ")")), Err.Number
WScript.Echo Eval("0" & Replace(Space(900), " ", " + 1")), Err.Number
Execute Replace(Space(100), " ", "If True Then" & vbLf) & "z = ""deep""" & vbLf & Replace(Space(100), " ", "End If" & vbLf)
WScript.Echo z, Err.Number
