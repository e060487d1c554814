' The subtype a literal, a constant or a function's result has, which VarType and TypeName
' show and which decides how it overflows and prints.
WScript.Echo VarType(&H10&), VarType(&H7FFF&), VarType(&H8000&), &H8000&, VarType(&HFFFF&), &HFFFF&
WScript.Echo VarType(&H10), VarType(&HFFFF), &HFFFF, VarType(&O17&), VarType(&H10000)
WScript.Echo TypeName(Round(True)), Round(True), TypeName(Round(False, 2))
WScript.Echo TypeName(Abs(CByte(1))), TypeName(Abs(True)), TypeName(Round(CByte(3)))
WScript.Echo TypeName(vbSystemModal), TypeName(vbMsgBoxHelpButton), TypeName(vbMsgBoxSetForeground)
WScript.Echo TypeName(vbOKOnly), TypeName(vbCritical), TypeName(vbRed), TypeName(vbObjectError)
WScript.Echo TypeName(ScriptEngineMajorVersion), TypeName(ScriptEngineMinorVersion), TypeName(ScriptEngineBuildVersion)
