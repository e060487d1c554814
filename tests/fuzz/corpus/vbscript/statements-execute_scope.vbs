' Execute inside a procedure works with that procedure's variables.
Dim shared
shared = "global"
Sub Work(param)
    Dim local
    local = 1
    Execute "local = local + param"
    Execute "fresh = local * 2"
    Execute "shared = shared & "" changed"""
    WScript.Echo "in the procedure:", local, fresh, shared
    WScript.Echo "Eval sees them too:", Eval("local + fresh + param")
End Sub
Work 41
WScript.Echo "after it:", IsEmpty(fresh), shared
Class Tally
    Private m_count
    Public Sub Add(n)
        Execute "m_count = m_count + n"
    End Sub
    Public Property Get Count()
        Count = m_count
    End Property
End Class
Set t = New Tally
t.Add 2
t.Add 3
WScript.Echo "in a method, the object's fields:", t.Count
Sub Define()
    ExecuteGlobal "Function Made() : Made = ""made globally"" : End Function"
End Sub
Define
WScript.Echo Made()
