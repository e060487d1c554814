' Class_Terminate code that lets go of, or makes, further objects with a Class_Terminate of
' their own: long chains of them run one after another, never one inside another as deep as
' the chain is long.
Dim count

' Each node's successor goes with the local that kept it, as the Class_Terminate returns.
Class HeldNode
    Public NextNode
    Private Sub Class_Terminate
        Dim keep
        Set keep = NextNode
        Set NextNode = Nothing
        count = count + 1
    End Sub
End Class
Set head = Nothing
For i = 1 To 50000
    Set n = New HeldNode
    Set n.NextNode = head
    Set head = n
Next
Set n = Nothing
count = 0
Set head = Nothing
WScript.Echo "let go with a local:", count

' Each node lets its successor go in a statement of its Class_Terminate, which then calls a
' procedure: the ones that wait still have room for the call.
Function Counted(value)
    Counted = value + 1
End Function
Class DroppingNode
    Public NextNode
    Private Sub Class_Terminate
        Set NextNode = Nothing
        count = Counted(count)
    End Sub
End Class
Set head = Nothing
For i = 1 To 50000
    Set n = New DroppingNode
    Set n.NextNode = head
    Set head = n
Next
Set n = Nothing
count = 0
Set head = Nothing
WScript.Echo "let go in a statement:", count

' A short chain still runs each Class_Terminate inside the statement that let the object go.
Class Named
    Public Name, Inner
    Private Sub Class_Terminate
        WScript.Echo "begin " & Name
        Set Inner = Nothing
        WScript.Echo "end " & Name
    End Sub
End Class
Set a = New Named
a.Name = "outer"
Set a.Inner = New Named
a.Inner.Name = "inner"
Set a = Nothing
WScript.Echo "after the short chain"

' Every Class_Terminate makes the next object: the chain ends where a chain of calls would
' run out of stack space, an error its Class_Terminate keeps to itself.
Class Breeder
    Private Sub Class_Terminate
        Dim child
        count = count + 1
        Set child = New Breeder
    End Sub
End Class
count = 0
Set b = New Breeder
Set b = Nothing
WScript.Echo "the breeding chain ended:", count > 1000, Err.Number

' The same with the child kept in a field, which goes only when the object itself does.
Class FieldBreeder
    Private m_child
    Private Sub Class_Terminate
        count = count + 1
        Set m_child = New FieldBreeder
    End Sub
End Class
count = 0
Set b = New FieldBreeder
Set b = Nothing
WScript.Echo "the chain through fields ended:", count > 1000
' An object made by a Class_Terminate and let go later, by the script's own code, starts a
' new chain rather than carrying on the old one.
Class Spare
    Private Sub Class_Terminate
        count = count + 1
        Set spareOne = New Spare
    End Sub
End Class
count = 0
Set spareOne = New Spare
For i = 1 To 10000
    Set spareOne = Nothing
Next
WScript.Echo "spares made one at a time:", count
Set spareOne = Nothing
