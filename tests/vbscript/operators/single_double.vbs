' A Single met by a Double is compared at the Single's precision, so a Single holding a
' decimal fraction equals the literal it was made from.
Dim s
s = CSng(0.1)
WScript.Echo s = 0.1, 0.1 = s, s <> 0.1, s < 0.1, s > 0.1, s >= 0.1
WScript.Echo CSng(1.5) = 1.5, CSng(0.1) = CDbl(0.1), CSng(0.1) < 0.2, CSng(0.3) > 0.2
' A Double that no Single holds still compares above or below.
WScript.Echo CSng(1) = 1.0000001, CSng(1) < 1.0000001
' Two Doubles compare at full precision.
WScript.Echo CDbl(CSng(0.1)) = 0.1
