' Chr and Asc use Windows-1252, whose bytes 128 to 159 are other characters than in
' Unicode; ChrW and AscW are Unicode.
WScript.Echo Chr(128), AscW(Chr(128)), Chr(128) = ChrW(8364), AscW(Chr(159)), AscW(Chr(150))
WScript.Echo Asc("€"), Asc(ChrW(376)), Asc(ChrW(&H153)), Asc(ChrW(&H100)), Asc(ChrW(&H80))
WScript.Echo Asc("A"), Asc(Chr(160)), AscW(Chr(160)), Asc("é"), AscW("é")
roundTrip = True
For i = 0 To 255
    If Asc(Chr(i)) <> i Then roundTrip = False
Next
WScript.Echo "Asc(Chr(i)) = i for every byte:", roundTrip
WScript.Echo AscW("€"), AscW(ChrW(&HFFFF)), ChrW(-1) = ChrW(&HFFFF), String(3, 128), String(2, "€x")
On Error Resume Next
x = Chr(256)
WScript.Echo "Chr(256):", Err.Number
