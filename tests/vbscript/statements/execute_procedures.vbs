' A procedure that Execute declares inside a procedure sees the globals, not the locals of
' the one it was declared in, and only that call of that procedure can call it. Declared by
' Execute at module level, or by ExecuteGlobal, it is the whole script's.
Dim X
X = "Global"
Sub Proc1
    Dim X
    X = "Local"
    Execute "Sub Proc2 : WScript.Echo ""Proc2 sees"", X : End Sub"
    WScript.Echo "Proc1 sees", Eval("X")
    Proc2
    Call Proc2()
End Sub
Sub Elsewhere
    Proc2
End Sub
On Error Resume Next
Proc2
WScript.Echo "before Proc1:", Err.Number, Err.Description
Err.Clear
Proc1
WScript.Echo "Proc1 again, declaring it again:"
Proc1
WScript.Echo Err.Number
Proc2
WScript.Echo "after Proc1:", Err.Number, Err.Description
Err.Clear
Elsewhere
WScript.Echo "from another procedure:", Err.Number, Err.Description
Err.Clear
On Error GoTo 0
Execute "Sub Proc2 : WScript.Echo ""the global Proc2"", X : End Sub"
Proc2
Elsewhere
WScript.Echo "Proc1 keeps its own:"
Proc1
