' Execute and the collections it hands back.
Set re = New RegExp
re.Pattern = "(\d{4})-(\d\d)-(\d\d)( UTC)?"
text = "from 2024-01-31 UTC to 2024-02-29, then 1999-12-31"

' Without Global only the first match.
Set ms = re.Execute(text)
WScript.Echo TypeName(ms), ms.Count, ms(0), ms.Item(0).Value

re.Global = True
Set ms = re.Execute(text)
WScript.Echo ms.Count
For Each m In ms
    WScript.Echo TypeName(m), "[" & m & "]", m.FirstIndex, m.Length, m.SubMatches.Count
Next

' SubMatches: by index, as the default member, through For Each; a group that took no part
' is Empty.
Set m = ms(1)
Set sm = m.SubMatches
WScript.Echo TypeName(sm), sm(0), sm.Item(1), m.SubMatches(2), IsEmpty(sm(3)), VarType(sm(3))
WScript.Echo VarType(ms(0).SubMatches(3)), "[" & ms(0).SubMatches(3) & "]"
parts = ""
For Each g In ms(2).SubMatches
    parts = parts & "<" & g & ">"
Next
WScript.Echo parts

' The same index gives the same object; the collection outlives the text and the RegExp.
WScript.Echo ms(0) Is ms(0), ms(0).SubMatches Is ms(0).SubMatches
text = "changed"
re.Pattern = "x"
Set re2 = re
Set re = Nothing
WScript.Echo ms(2).Value, ms.Count, re2.Execute("axbx").Count

' Nothing found: an empty collection.
Set none = re2.Execute("no such letter")
WScript.Echo none.Count
n = 0
For Each m In none
    n = n + 1
Next
WScript.Echo n

' Empty matches are matches too, one at each place.
Set re = New RegExp
re.Global = True
re.Pattern = "\d*"
Set ms = re.Execute("a12b")
For Each m In ms
    WScript.Echo m.FirstIndex, m.Length, "[" & m.Value & "]"
Next

' A pattern without groups has an empty SubMatches.
re.Pattern = "b"
WScript.Echo re.Execute("abc")(0).SubMatches.Count

' FirstIndex and Length count as Len does: a character outside the Basic Multilingual Plane
' is two.
smile = ChrW(&HD83D) & ChrW(&HDE00)
re.Pattern = "[a-z]+"
Set ms = re.Execute(smile & "ab" & ChrW(233) & "cd")
WScript.Echo ms.Count, ms(0).FirstIndex, ms(1).FirstIndex, ms(1).Length
re.Pattern = "\uD83D\uDE00y"
Set m = re.Execute("x" & smile & smile & "y")(0)
WScript.Echo m.FirstIndex, m.Length, Len(m.Value), m.Value = smile & "y"

' The match text, the matches and the groups as values.
re.Pattern = "(\w+)=(\w*)"
Set ms = re.Execute("a=1, bb=, ccc=33")
total = 0
For i = 0 To ms.Count - 1
    total = total + Len(ms(i).SubMatches(1))
    WScript.Echo i, ms(i).SubMatches(0), "[" & ms(i).SubMatches(1) & "]"
Next
WScript.Echo total, ms(2) & "!", UCase(ms(0))

On Error Resume Next
x = ms(3)
WScript.Echo Err.Number, Err.Description
Err.Clear
x = ms(-1)
WScript.Echo Err.Number
Err.Clear
x = ms(0).SubMatches(2)
WScript.Echo Err.Number
Err.Clear
ms(0).FirstIndex = 4
WScript.Echo Err.Number
Err.Clear
x = ms.Nope
WScript.Echo Err.Number
Err.Clear
Set x = re.Execute()
WScript.Echo Err.Number
