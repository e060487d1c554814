' Err.Raise takes a failure code of the scripting or the Windows facility as the VBScript
' error it stands for, refuses a number past 65535 that is no such code, and keeps the help
' file and context; what a Raise leaves out is what the Err object held, until Err.Clear.
On Error Resume Next
Err.Raise &H800A000B
WScript.Echo Err.Number, Err.Description
Err.Clear
Err.Raise &H8007000E
WScript.Echo Err.Number, Err.Description
Err.Clear
Err.Raise &H80070002
WScript.Echo Err.Number, Err.Description
Err.Clear
Err.Raise vbObjectError + 513
WScript.Echo Err.Number - vbObjectError, Err.Description
Err.Clear
Err.Raise 70000
WScript.Echo Err.Number, Err.Description
Err.Clear
Err.Raise 65535
WScript.Echo Err.Number
Err.Clear

Err.Raise 1001, "Module", "First", "help.chm", 42
WScript.Echo Err.Number, Err.Source, Err.Description, Err.HelpFile, Err.HelpContext
Err.Raise 1002
WScript.Echo Err.Number, Err.Source, Err.Description, Err.HelpFile, Err.HelpContext
Err.Clear
WScript.Echo "[" & Err.HelpFile & "]", Err.HelpContext
Err.Source = "Set by hand"
Err.Raise 6
WScript.Echo Err.Number, Err.Source, Err.Description
Err.Clear
Err.HelpFile = "other.chm"
Err.HelpContext = 7
WScript.Echo Err.HelpFile, Err.HelpContext
Err.Clear
On Error GoTo 0
Err.Raise &H800A0009
