' Comments, line joins and literals
Rem a whole-line remark
WScript.Echo &HFF, &H10&, &O17, &HFFFF, TypeName(&HFFFF), TypeName(&H10000) ' trailing comment
WScript.Echo 1.5E3, 2.5e-3, .5, 12345678901, TypeName(32767), TypeName(32768), TypeName(5&)
WScript.Echo "say ""hi""", "" = Empty
x = 1 + _
    2 + _
    3
WScript.Echo x : WScript.Echo "after colon"
WScript.Echo #2020-03-04#, #3/4/2020 13:05:06#, TypeName(#1/1/2000#)
DIM MixedCase : mixedcase = 3 : WScript.Echo MIXEDCASE
WScript.Echo [weird name]
