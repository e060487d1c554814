' An array element passed to a ByRef parameter is the element itself; brackets pass a copy.
Sub Inc(ByRef n)
    n = n + 1
End Sub
Sub Keep(ByVal n)
    n = 99
End Sub
Sub Two(p, q)
    p = p + 1
    q = q + 1
End Sub
Sub IncTwice(ByRef n)
    Inc n
    Inc n
End Sub

Dim list()
ReDim list(2)
list(1) = 10
Inc list(1)
Keep list(1)
IncTwice list(1)
WScript.Echo "element:", list(1)
Dim grid(1, 1)
grid(1, 0) = 5
Inc grid(1, 0)
WScript.Echo "two dimensions:", grid(1, 0), grid(0, 1)
Inc (list(1))
Call Inc((list(1)))
WScript.Echo "in brackets:", list(1)
x = 1
Inc (x)
WScript.Echo "variable in brackets:", x
p = 1
q = 1
Two (p), q
Two p, (q)
WScript.Echo "one of two in brackets:", p, q
Class Counter
    Private m_counts(1)
    Public Sub Bump(ByRef n)
        n = n + 1
    End Sub
    Public Function Twice()
        m_counts(0) = 1
        Bump m_counts(0)
        Bump m_counts(0)
        Twice = m_counts(0)
    End Function
End Class
Set c = New Counter
c.Bump list(1)
y = 1
c.Bump y
WScript.Echo "through a method:", list(1), y, c.Twice()

' While an element is lent, its array stays where it is: the callee sees its own writes
' through the array, and may not resize, erase or replace it.
Sub Meddle(ByRef n)
    n = 7
    WScript.Echo "seen through the array:", list(1)
    On Error Resume Next
    ReDim list(5)
    WScript.Echo "ReDim:", Err.Number, Err.Description
    Err.Clear
    Erase list
    WScript.Echo "Erase:", Err.Number
    Err.Clear
    list = 5
    WScript.Echo "assignment:", Err.Number
    Err.Clear
    copy = list
    copy(1) = "copy"
    list(2) = "other"
    WScript.Echo "a copy is apart:", list(1), copy(1), list(2)
End Sub
Meddle list(1)
ReDim Preserve list(3)
WScript.Echo "free again:", list(1), list(2), UBound(list)
