' What this system has no counterpart for says so by name; it never does nothing silently.
Set sh = CreateObject("WScript.Shell")
On Error Resume Next
x = sh.RegRead("HKCU\Software\Quillet\Voice")
WScript.Echo Err.Number, Err.Description
Err.Clear
sh.RegWrite "HKCU\Software\Quillet\Voice", "on", "REG_SZ"
WScript.Echo Err.Number, Err.Description
Err.Clear
sh.regdelete "HKCU\Software\Quillet\Voice"
WScript.Echo Err.Number, Err.Description
Err.Clear
Set link = sh.CreateShortcut("/tmp/x.lnk")
WScript.Echo Err.Number, Err.Description
Err.Clear
sh.LogEvent 0, "started"
WScript.Echo Err.Number, Err.Description
Err.Clear
' A name the object there does not have either is no different from any other object's.
sh.RegistryRead "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
' The console runner has no windows to activate.
x = sh.AppActivate("Editor")
WScript.Echo Err.Number, Err.Description
Err.Clear
sh.CurrentDirectory(1) = "/"
WScript.Echo Err.Number, Err.Description
On Error GoTo 0
sh.RegRead "HKLM\x"
