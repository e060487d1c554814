' GetRef gives a procedure as a value: called directly, stored, or handed on as a callback.
Function Add(a, b)
    Add = a + b
End Function
Function Answer()
    Answer = 42
End Function
Sub Greet(name)
    WScript.Echo "hello " & name
End Sub
Sub Bump(ByRef n)
    n = n + 1
End Sub
Function Apply(fn, x, y)
    Apply = fn(x, y)
End Function
Sub ForEachItem(items, action)
    Dim item
    For Each item In items
        action item
    Next
End Sub

Set f = GetRef("add")
WScript.Echo f(2, 3), TypeName(f), VarType(f), IsObject(f)
WScript.Echo Apply(GetRef("Add"), 10, 20), Apply(f, "a", "b")
Set g = GetRef("Greet")
g "world"
Call g("again")
ForEachItem Array("x", "y"), GetRef("Greet")
Set b = GetRef("Bump")
n = 1
b n
WScript.Echo "by reference:", n
Dim handlers(1)
Set handlers(0) = GetRef("Add")
WScript.Echo handlers(0)(4, 5)
Set a = GetRef("Answer")
v = a
WScript.Echo "assigned with Let:", v, a() + 1
ExecuteGlobal "Function Late(x) : Late = x * 10 : End Function"
WScript.Echo GetRef("Late")(7)
On Error Resume Next
Set h = GetRef("NoSuchProcedure")
WScript.Echo "unknown name:", Err.Number, Err.Description
Err.Clear
x = f(1)
WScript.Echo "wrong argument count:", Err.Number, Err.Description
