' Names in brackets may be keywords, hold any characters or none at all
Dim [if], [rem], [end sub], []
[if] = 1
[rem] = 2
[end sub] = 3
[] = 4
WScript.Echo [if], [rem], [end sub], []
WScript.Echo [IF] + [Rem]
Function [select]([case])
    [select] = [case] * 2
End Function
WScript.Echo [select](21)
