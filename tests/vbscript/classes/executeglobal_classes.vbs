' Scripts load a library of classes at run time; New finds them in the same chunk, in the
' script after it, and in procedures read before the classes existed.
Function MakeCounter()
    Set MakeCounter = New Counter
End Function
ExecuteGlobal "Class K" & vbCrLf & "Public v" & vbCrLf & "End Class" & vbCrLf & _
              "Set k = New K" & vbCrLf & "k.v = ""same chunk"""
WScript.Echo k.v
Set k2 = New K
k2.v = "main script"
WScript.Echo k2.v, TypeName(k2)

Dim lib
lib = "Class Counter" & vbCrLf & _
      "  Private m_n" & vbCrLf & _
      "  Private Sub Class_Initialize : m_n = 10 : End Sub" & vbCrLf & _
      "  Public Sub Bump : m_n = m_n + 1 : End Sub" & vbCrLf & _
      "  Public Property Get Count : Count = m_n : End Property" & vbCrLf & _
      "End Class"
ExecuteGlobal lib
Set c = MakeCounter()
c.Bump
c.Bump
WScript.Echo "counter:", c.Count

' Execute at module level runs in the global scope, so its classes are the script's too.
Execute "Class FromExecute : Public Name : End Class"
Set f = New FromExecute
f.Name = "from Execute"
WScript.Echo f.Name

' A class a procedure brings in stays once the procedure returns.
Sub Load()
    ExecuteGlobal "Class Loaded : Public Function Hello : Hello = ""loaded"" : End Function : End Class"
End Sub
Load
Set l = New Loaded
WScript.Echo l.Hello()

' A second class of a name already in use is refused.
On Error Resume Next
ExecuteGlobal "Class K : Public w : End Class"
WScript.Echo Err.Number, Err.Description
Err.Clear
Set k3 = New K
k3.v = "the first K stays"
WScript.Echo k3.v
