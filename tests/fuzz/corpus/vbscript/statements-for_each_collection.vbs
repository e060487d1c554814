' For Each walks arrays and collections; anything else is not a collection.
For Each x In Array(1, 2)
    WScript.Echo "item", x
Next
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", 1
For Each key In d
    WScript.Echo "key", key
Next
Class Plain
    Public Value
End Class
On Error Resume Next
For Each x In 5
    WScript.Echo "not reached"
Next
WScript.Echo "a number:", Err.Number, Err.Description
Err.Clear
For Each x In "text"
Next
WScript.Echo "a string:", Err.Number
Err.Clear
For Each x In empty_variable
Next
WScript.Echo "Empty:", Err.Number
Err.Clear
For Each x In New Plain
Next
WScript.Echo "an object that is no collection:", Err.Number
Err.Clear
For Each x In CreateObject("Scripting.FileSystemObject")
Next
WScript.Echo "a host object that is no collection:", Err.Number
