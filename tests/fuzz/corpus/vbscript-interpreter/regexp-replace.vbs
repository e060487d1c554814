' Replace: the $ forms, Global, empty matches and what comes back unchanged.
Set re = New RegExp
re.Pattern = "(\w+)@(\w+)\.(com|org)"
text = "mail ann@example.com or bob@test.org today"

WScript.Echo re.Replace(text, "<$2/$1>")
re.Global = True
WScript.Echo re.Replace(text, "<$2/$1>")
WScript.Echo re.Replace(text, "[$&]")
WScript.Echo re.Replace(text, "{$`}")
WScript.Echo re.Replace(text, "{$'}")
WScript.Echo re.Replace(text, "$$1 costs $$")
' $0, groups that do not exist and a lone $ stay as written.
WScript.Echo re.Replace(text, "$0 $4 $9 $ $x $")
' $nn: two digits when there are that many groups, else one digit and a plain digit after.
WScript.Echo re.Replace(text, "$10|$03|$31")

re.Pattern = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)"
WScript.Echo re.Replace("abcdefghijk!", "$11$10$9$1-$12")

' A group that took no part gives nothing.
re.Pattern = "(x)?(y)"
WScript.Echo re.Replace("y xy", "[$1|$2]")

' Empty matches between every character, and after a match that ends where the next starts.
re.Pattern = "x*"
WScript.Echo re.Replace("abc", "-")
re.Pattern = "a*"
WScript.Echo re.Replace("baaac", "-")
re.Pattern = "\b"
WScript.Echo re.Replace("hi you", "|")
re.Pattern = "$"
WScript.Echo re.Replace("end", ".")
re.Pattern = ""
WScript.Echo re.Replace("ab", "+")

' No match: the text as it was; an empty text.
re.Pattern = "zzz"
WScript.Echo re.Replace(text, "!") = text, "[" & re.Replace("", "!") & "]"

' Swapping words, the classic example; the replacement may be a number.
re.Global = False
re.Pattern = "(\S+)(\s+)(\S+)"
WScript.Echo re.Replace("The quick brown fox", "$3$2$1")
re.Global = True
re.Pattern = "\d"
WScript.Echo re.Replace(2024, 7)

' Case folding beyond ASCII.
re.IgnoreCase = True
re.Pattern = "é+"
WScript.Echo re.Replace("cafÉé!", "e")
