' The pattern language: each line prints a pattern, the text and whether Test finds it, or
' the match Execute finds in brackets.
Set re = New RegExp

Sub T(pattern, text)
    re.Pattern = pattern
    WScript.Echo pattern, re.Test(text)
End Sub

Sub M(pattern, text)
    re.Pattern = pattern
    Set ms = re.Execute(text)
    If ms.Count = 0 Then
        WScript.Echo pattern, "(none)"
    Else
        WScript.Echo pattern, "[" & ms(0).Value & "]", ms(0).FirstIndex
    End If
End Sub

' Character classes and shorthand escapes; \d, \w and \s know only ASCII letters and digits.
M "\d+", "abc 2024 x"
M "\D+", "12ab3"
M "\w+", "  héllo_1 "
M "\W", "ab-c"
M "\s+\S", "a " & vbTab & vbLf & " b"
M "[a-c]+", "xxbcaz"
M "[^a-c]+", "abxyzc"
M "[\d.]+", "v1.25 beta"
M "[\]a]+", "x]a]y"
M "[a\-z]+", "b-az"
M "[\d-z]+", "a1-z"
M "[\s-]+", "a - b"
M "[.*+?]+", "a.*+?b"
T "[[:alpha:]]", "a"
T "[[:alpha:]]", ":]"

' "." is anything but a line feed.
M "a.c", "a" & vbLf & "c abc"
T "a.c", "a" & vbCr & "c"
M "[^]+", "x" & vbLf & "y"
T "a[]b", "ab"

' Escaped characters in all their forms.
T "\x41\u0042", "AB"
T "\t\n\r\f\v", vbTab & vbLf & vbCr & Chr(12) & Chr(11)
T "\cJ", vbLf
T "\101", "A"
T "\0", Chr(0)
T "[\b]", Chr(8)
T "\u00e9", ChrW(233)
T "\xZZ", "xZZ"
T "\A\Q", "AQ"
T "\.\*\(\$", ".*($"
T "\uD83D\uDE00", ChrW(&HD83D) & ChrW(&HDE00)

' Anchors and word boundaries.
T "^abc$", "abc"
T "^abc$", "abc" & vbLf
T "^b", "abc"
M "\bcat\b", "concat cat"
M "\Bcat", "cat concat"

' Quantifiers, greedy and lazy.
M "a{2}", "a aa aaa"
M "a{2,}", "a aaaa"
M "a{1,2}", "aaa"
M "a+?", "aaa"
M "<.*>", "<a><b>"
M "<.*?>", "<a><b>"
M "x{,2}", "x{,2}"
M "{", "a{b"
M "a{2", "a{2"
M "colou?r", "the color"

' Groups, alternation, back references, lookahead.
M "(ab)+", "xababab"
M "(?:ab|cd)+e", "abcde"
M "(\w)\1", "abccd"
M "(a)|b\1", "b"
M "\1(a)", "a"
M "(\d+)(?=px)", "10em 20px"
M "\d+(?!px)", "20px 30em"
M "cat|category", "category"

' A back reference past the last group is an octal escape; 8 and 9 stand for themselves.
T "(a)\2", "a" & Chr(2)
T "\8", "8"

' IgnoreCase folds letters beyond ASCII too.
re.IgnoreCase = True
T "ÄRGER", "ärger"
T "straße", "STRASSE"
M "[a-z]+", "ABC def"
T "\u00c9", ChrW(233)
re.IgnoreCase = False
T "ÄRGER", "ärger"
