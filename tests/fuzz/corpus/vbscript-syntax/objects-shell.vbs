Set sh = CreateObject("WScript.Shell")
home = sh.ExpandEnvironmentStrings("%HOME%")
WScript.Echo Len(home) > 0, InStr(home, "%"), sh.ExpandEnvironmentStrings("[%NOT_SET_ANYWHERE%]")
rc = sh.Run("sh -c ""exit 3""", 0, True)
WScript.Echo "exit code", rc
rc = sh.Run("true", 1, False)
WScript.Echo "no wait", rc
r = MsgBox("Shown on stdout", vbYesNo, "Title")
WScript.Echo r
WScript.Echo sh.Popup("popup text")
name = InputBox("Your name?")
WScript.Echo "Hello, " & name
sh.SendKeys "abc"
