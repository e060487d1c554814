' Class_Terminate runs when the last reference to an object goes.
Class Tracked
    Public Name
    Public Inner
    Private Sub Class_Terminate
        WScript.Echo "terminate " & Name & " (" & TypeName(Me) & ")"
    End Sub
End Class
Function Make(name)
    Set Make = New Tracked
    Make.Name = name
End Function

Set a = Make("a")
Set a = Nothing
WScript.Echo "after Set a = Nothing"

Set b = Make("b")
Set c = b
Set b = Nothing
WScript.Echo "b still held by c"
Set c = Nothing
WScript.Echo "after c"

Set d = Make("first")
Set d = Make("second")
WScript.Echo "after reassigning d"

Sub UseLocal
    Dim l
    Set l = Make("local")
    WScript.Echo "in the procedure"
End Sub
UseLocal
WScript.Echo "after the procedure"

Function NameOfLocal()
    Dim l
    Set l = Make("returned from")
    NameOfLocal = l.Name
End Function
WScript.Echo NameOfLocal()

WScript.Echo Make("temporary").Name

Set outer = Make("outer")
Set outer.Inner = Make("inner")
Set outer = Nothing
WScript.Echo "after the outer"

Dim list(1)
Set list(0) = Make("element")
Erase list
WScript.Echo "after Erase"

Class Faulty
    Private Sub Class_Terminate
        WScript.Echo "faulty terminate"
        x = 1 / 0
        WScript.Echo "not reached"
    End Sub
End Class
Set f = New Faulty
Set f = Nothing
WScript.Echo "the error inside Terminate is not reported", Err.Number

Set d = Nothing
Set g1 = Make("global one")
Set g2 = Make("global two")
WScript.Echo "end of the script"
