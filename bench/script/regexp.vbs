' A megabyte of made-up notes: words, addresses, dates and line breaks in a fixed order.
words = Array("alpha", "beta", "Gamma", "delta", "note", "user", "host", "Meeting", "date", "x")
seed = 1
s = ""
For i = 1 To 165000
    seed = (seed * 75 + 74) Mod 65537
    k = seed Mod 20
    If k = 0 Then
        piece = "user" & (seed Mod 1000) & "@host" & (seed Mod 7) & ".example.com "
    ElseIf k = 1 Then
        piece = "20" & Right("0" & (seed Mod 30), 2) & "-" & Right("0" & (1 + seed Mod 12), 2) & _
                "-" & Right("0" & (1 + seed Mod 28), 2) & " "
    ElseIf k = 2 Then
        piece = vbLf
    Else
        piece = words(seed Mod 10) & " "
    End If
    s = s & piece ' appends in place; a longer chain would copy the megabyte each time
Next

Set re = New RegExp
re.Global = True
re.Pattern = "(\d{4})-(\d\d)-(\d\d)"
t = re.Replace(s, "$3.$2.$1")

re.Pattern = "(\w+)@([\w.]+)"
domains = 0
Set ms = re.Execute(t)
For Each m In ms
    domains = domains + Len(m.SubMatches(1))
Next

re.Pattern = "\s+"
t = re.Replace(t, " ")

re.Pattern = "\b[a-z]+\b"
re.IgnoreCase = True
WScript.Echo Len(s), Len(t), ms.Count, domains, re.Execute(t).Count
