' A script as people write them: a class that picks a memo apart with regular expressions,
' a dictionary to count with, and the result written out line by line.
Class MemoReader
    Private m_text, m_dates, m_mails, m_words

    Private Sub Class_Initialize
        Set m_dates = New RegExp
        m_dates.Global = True
        ' 31.12.2024 or 2024-12-31
        m_dates.Pattern = "\b(?:(\d{1,2})\.(\d{1,2})\.(\d{4})|(\d{4})-(\d\d)-(\d\d))\b"
        Set m_mails = CreateObject("VBScript.RegExp")
        m_mails.Global = True
        m_mails.IgnoreCase = True
        m_mails.Pattern = "\b[a-z0-9._%+-]+@([a-z0-9-]+(?:\.[a-z0-9-]+)*\.[a-z]{2,})\b"
        Set m_words = New RegExp
        m_words.Global = True
        m_words.Pattern = "[A-Za-z']+"
    End Sub

    Public Property Let Text(value)
        m_text = value
    End Property

    ' Every date as yyyy-mm-dd, in the order they appear.
    Public Function Dates()
        Dim list(), m, n, sm
        n = 0
        ReDim list(m_dates.Execute(m_text).Count - 1)
        For Each m In m_dates.Execute(m_text)
            Set sm = m.SubMatches
            If IsEmpty(sm(0)) Then
                list(n) = sm(3) & "-" & sm(4) & "-" & sm(5)
            Else
                list(n) = sm(2) & "-" & Right("0" & sm(1), 2) & "-" & Right("0" & sm(0), 2)
            End If
            n = n + 1
        Next
        Dates = list
    End Function

    ' Addresses per domain, lower case.
    Public Function Domains()
        Dim d, m, key
        Set d = CreateObject("Scripting.Dictionary")
        For Each m In m_mails.Execute(m_text)
            key = LCase(m.SubMatches(0))
            d(key) = d(key) + 1
        Next
        Set Domains = d
    End Function

    Public Function WordCount()
        WordCount = m_words.Execute(m_text).Count
    End Function

    ' The text with addresses hidden and dates in one form.
    Public Function Cleaned()
        Dim out
        out = m_mails.Replace(m_text, "<address at $1>")
        m_dates.Pattern = "\b(\d{1,2})\.(\d{1,2})\.(\d{4})\b"
        out = m_dates.Replace(out, "$3/$2/$1")
        m_dates.Pattern = "\b(?:(\d{1,2})\.(\d{1,2})\.(\d{4})|(\d{4})-(\d\d)-(\d\d))\b"
        Cleaned = out
    End Function
End Class

memo = "Meeting on 3.7.2024 with Ann (Ann.Lee@Example.COM)." & vbCrLf & _
       "Follow-up 2024-07-15; write to bob@mail.example.com or ops@test.org." & vbCrLf & _
       "Deadline: 31.12.2024, don't forget! Old note 1.1.1999 stays." & vbCrLf & _
       "Not a date: 12345-67-89 or 99.99.99"

Set reader = New MemoReader
reader.Text = memo
WScript.Echo "dates:", Join(reader.Dates(), " ")
Set d = reader.Domains()
For Each k In d.Keys
    WScript.Echo "domain:", k, d(k)
Next
WScript.Echo "words:", reader.WordCount()

' Number the lines: Multiline lets ^ find each start.
Set lineStart = New RegExp
lineStart.Global = True
lineStart.Multiline = True
lineStart.Pattern = "^"
numbered = reader.Cleaned()
n = 0
For Each m In lineStart.Execute(numbered)
    n = n + 1
Next
lineStart.Pattern = "^(.)"
WScript.Echo n, "lines"
lines = Split(lineStart.Replace(numbered, "> $1"), vbCrLf)
For Each line In lines
    WScript.Echo Replace(line, vbCr, "")
Next

' The longest word, with its place.
Set w = New RegExp
w.Global = True
w.Pattern = "\b[A-Za-z]{6,}\b"
best = ""
For Each m In w.Execute(memo)
    If Len(m) > Len(best) Then
        best = m.Value
        at = m.FirstIndex
    End If
Next
WScript.Echo "longest:", best, at, Mid(memo, at + 1, Len(best)) = best
