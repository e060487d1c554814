WScript.Echo "bom ok"
x = "caf� ok"
WScript.Echo Len(x), AscW(Mid(x, 4, 1))
y = "été"
WScript.Echo Len(y), y
