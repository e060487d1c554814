' The object through New and CreateObject, its properties and what they accept.
Set re = New RegExp
WScript.Echo TypeName(re), "[" & re.Pattern & "]", re.IgnoreCase, re.Global, re.Multiline
Set other = new REGEXP
WScript.Echo TypeName(other), re Is other
Set made = CreateObject("VBScript.RegExp")
WScript.Echo TypeName(made), made.Global
Set lower = CreateObject("vbscript.regexp")
WScript.Echo TypeName(lower)

re.Pattern = "ab+c"
re.IgnoreCase = True
re.Global = 1
re.Multiline = "True"
WScript.Echo re.Pattern, re.IgnoreCase, re.Global, re.Multiline, TypeName(re.Global)
re.Global = 0
re.Pattern = 123
WScript.Echo re.Pattern, TypeName(re.Pattern), re.Global, re.Test("x1234")

' Every RegExp keeps its own settings.
other.Pattern = "^b"
WScript.Echo re.Pattern, other.Pattern, other.Test("bat"), re.Test("bat")

' Changing a setting after use takes effect at the next use.
re.Pattern = "abc"
re.IgnoreCase = False
WScript.Echo re.Test("ABC")
re.IgnoreCase = True
WScript.Echo re.Test("ABC")
re.Pattern = "abd"
WScript.Echo re.Test("ABC")

' A script class does not shadow the built-in one, nor the other way round.
Class Finder
    Private m_re
    Private Sub Class_Initialize
        Set m_re = New RegExp
        m_re.Pattern = "\d+"
    End Sub
    Public Function Has(text)
        Has = m_re.Test(text)
    End Function
End Class
Set f = New Finder
WScript.Echo TypeName(f), f.Has("room 12"), f.Has("none")

On Error Resume Next
Set nope = New RegExpX
WScript.Echo Err.Number, Err.Description
Err.Clear
Set nope = CreateObject("VBScript.RegExpX")
WScript.Echo Err.Number
Err.Clear
re.NoSuchThing = 1
WScript.Echo Err.Number
Err.Clear
x = re.NoSuchThing
WScript.Echo Err.Number
Err.Clear
WScript.Echo re.Test()
WScript.Echo Err.Number, Err.Description
Err.Clear
WScript.Echo re.Replace("a")
WScript.Echo Err.Number
