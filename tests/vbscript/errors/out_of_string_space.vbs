' Without On Error Resume Next a string too long stops the script at its own line.
s = "abc"
WScript.Echo "before"
s = s & String(2147483647, "d")
WScript.Echo "not reached"
