' True's bits, all ones, are 255 as a Byte; and the text Write # puts into a file for a
' Boolean reads back as one.
WScript.Echo CByte(True), CByte(False), TypeName(CByte(True))
WScript.Echo CBool("#TRUE#"), CBool("#false#"), CBool("True"), CBool("0")
If "#TRUE#" Then WScript.Echo "a condition"
WScript.Echo Not CBool("#FALSE#")
On Error Resume Next
x = CBool("#yes#")
WScript.Echo Err.Number
Err.Clear
x = CByte(-1)
WScript.Echo Err.Number
