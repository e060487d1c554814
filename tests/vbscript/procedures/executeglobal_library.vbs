' A library brought in at run time, as scripts do with a shared file of helpers: its
' procedures are called bare by code that was read before they existed.
Dim lib
lib = "Function Twice(n) : Twice = n * 2 : End Function" & vbCrLf & _
      "Function Greeting : Greeting = ""hello"" : End Function" & vbCrLf & _
      "Sub Shout : WScript.Echo UCase(Greeting) : End Sub"
ExecuteGlobal lib
x = Greeting
WScript.Echo x
WScript.Echo Greeting & "!"
WScript.Echo Twice(4) + 1
Shout
Report

Sub Report
    WScript.Echo "in a procedure: " & Greeting
    y = Greeting
    WScript.Echo TypeName(y) & " " & y
End Sub

' A name that stays a variable keeps working as one.
WScript.Echo "[" & neverDefined & "]"
neverDefined = 5
WScript.Echo neverDefined

' A name already in use gives Name redefined.
On Error Resume Next
ExecuteGlobal "Function Twice(n) : Twice = 0 : End Function"
WScript.Echo Err.Number & " " & Err.Description
WScript.Echo Twice(3)
