Dim e
WScript.Echo TypeName(e), VarType(e), IsEmpty(e), e = 0, e = "", Len(e)
n = Null
WScript.Echo TypeName(n), VarType(n), IsNull(n), IsNull(n + 1), IsNull(n & "")
WScript.Echo TypeName(True), TypeName(CByte(5)), TypeName(5), TypeName(100000), TypeName(1.5)
WScript.Echo TypeName(CSng(1.5)), TypeName(CCur(1.5)), TypeName(Now), TypeName("s")
WScript.Echo TypeName(Nothing), IsObject(Nothing), TypeName(Array()), VarType(Array(1))
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo TypeName(d), IsObject(d), VarType(d), d Is d, d Is Nothing
WScript.Echo VarType("x"), VarType(1.5), VarType(CCur(1)), VarType(True), VarType(CByte(1))
