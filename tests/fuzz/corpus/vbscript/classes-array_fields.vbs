' Fields declared as arrays are made with each object; dynamic ones are ReDim'd in methods.
Class Bag
    Private items()
    Private count
    Public Slots(2)
    Public Grid(1, 2)
    Private Sub Class_Initialize
        count = 0
    End Sub
    Public Sub Add(v)
        ReDim Preserve items(count)
        items(count) = v
        count = count + 1
    End Sub
    Public Function Joined()
        Joined = Join(items, ",")
    End Function
    Public Sub GrowSlots()
        ReDim Slots(5)
    End Sub
    Public Sub Clear()
        Erase items
        count = 0
    End Sub
End Class

Set one = New Bag
Set two = New Bag
WScript.Echo UBound(one.Slots), IsEmpty(one.Slots(0)), UBound(one.Grid, 1), UBound(one.Grid, 2)
one.Slots(1) = "first"
one.Grid(1, 2) = "corner"
WScript.Echo one.Slots(1), "[" & two.Slots(1) & "]", one.Grid(1, 2)
one.Add "a"
one.Add "b"
two.Add "z"
WScript.Echo one.Joined(), two.Joined()
On Error Resume Next
one.GrowSlots
WScript.Echo "ReDim of a fixed field:", Err.Number, Err.Description
Err.Clear
one.Clear
WScript.Echo "after Erase:", Err.Number, "[" & one.Joined() & "]"
