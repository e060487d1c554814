' Values nested a hundred thousand deep are freed without recursing as deep.
Class Link
    Public NextLink
End Class
Set head = Nothing
For i = 1 To 100000
    Set l = New Link
    Set l.NextLink = head
    Set head = l
Next
Set l = Nothing
Set head = Nothing
WScript.Echo "list freed"
a = Empty
For i = 1 To 100000
    a = Array(a)
Next
a = Empty
WScript.Echo "arrays freed"
Set d = Nothing
For i = 1 To 100000
    Set n = CreateObject("Scripting.Dictionary")
    n.Add "next", d
    Set d = n
Next
Set n = Nothing
Set d = Nothing
WScript.Echo "dictionaries freed"
