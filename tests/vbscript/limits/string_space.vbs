' Strings and arrays longer than the engine builds are refused before their memory is taken,
' with an error the script can trap; it carries on afterwards.
On Error Resume Next
s = String(2147483647, "a")
WScript.Echo "String 2^31-1:", Err.Number, Err.Description, IsEmpty(s)
Err.Clear
s = Space(2147483647)
WScript.Echo "Space 2^31-1:", Err.Number, Err.Description, IsEmpty(s)
Err.Clear
s = Replace(String(1000, "a"), "a", String(300000, "b"))
WScript.Echo "Replace to 3e8:", Err.Number, Err.Description, IsEmpty(s)
Err.Clear
Dim parts(1000)
long = String(300000, "b")
For i = 0 To 1000
    parts(i) = long
Next
s = Join(parts, "")
WScript.Echo "Join to 3e8:", Err.Number, Err.Description, IsEmpty(s)
Err.Clear
s = Join(parts, String(300000, ","))
WScript.Echo "Join with a long delimiter:", Err.Number, Err.Description, IsEmpty(s)
Err.Clear
s = Escape(String(25000000, ChrW(&H100)))
WScript.Echo "Escape to 1.5e8:", Err.Number, Err.Description, IsEmpty(s)
Err.Clear
s = Empty
a = Split(String(20000000, ","), ",")
WScript.Echo "Split into 2e7:", Err.Number, Err.Description, IsEmpty(a)
Err.Clear
a = Split(String(2000, ","), ",", 0)
WScript.Echo "Split into none:", Err.Number, UBound(a)
a = Split("a,B,c,b", "b", -1, vbTextCompare)
WScript.Echo "Split by text:", UBound(a), a(1), a(2)

' Doubling a string ends with the error at the statement that went too far.
s = "xyz"
doublings = 0
Do
    s = s & s
    If Err.Number <> 0 Then Exit Do
    doublings = doublings + 1
Loop
WScript.Echo "doubling stopped:", doublings, Len(s), Err.Number, Err.Description
Err.Clear
t = Left(s, 3)
s = Empty
WScript.Echo "the script carries on:", t
