Dim o
Set o = Nothing
WScript.Echo o Is Nothing, TypeName(o)
Set o = CreateObject("Scripting.Dictionary")
WScript.Echo o Is Nothing
On Error Resume Next
x = 5
x.Foo
WScript.Echo Err.Number, Err.Description
Err.Clear
o.NoSuchThing
WScript.Echo Err.Number, Err.Description
Err.Clear
Set y = 5
WScript.Echo Err.Number
Err.Clear
Set o = Nothing
o.Add 1, 2
WScript.Echo Err.Number, Err.Description
