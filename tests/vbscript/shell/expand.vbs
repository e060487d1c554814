' Names match in any case; the other system's folders and names are answered from this one's.
Set sh = CreateObject("WScript.Shell")
Set env = sh.Environment("PROCESS")
For Each name In Array("USERPROFILE", "APPDATA", "LOCALAPPDATA", "TEMP", "TMP", "USERNAME", _
                       "XDG_CONFIG_HOME", "XDG_DATA_HOME")
    env.Remove name
Next
env("HOME") = "/home/ada"
env("TMPDIR") = "/var/tmp/ada"
env("USER") = "ada"
WScript.Echo sh.ExpandEnvironmentStrings("%HOME%|%home%|%UserProfile%")
WScript.Echo sh.ExpandEnvironmentStrings("%APPDATA%|%LocalAppData%|%TEMP%|%tmp%|%USERNAME%")
env("XDG_CONFIG_HOME") = "/etc/ada"
env("XDG_DATA_HOME") = "relative/ignored"
WScript.Echo sh.ExpandEnvironmentStrings("%APPDATA%|%LOCALAPPDATA%")
' A variable of the other system's name, once set, is taken as it is.
env("TEMP") = "C:\Temp"
WScript.Echo sh.ExpandEnvironmentStrings("%TEMP%|%TMP%")
' What is not set stays as written.
WScript.Echo sh.ExpandEnvironmentStrings("[%QX_NOT_SET%] 100% %% % %HOME")
WScript.Echo sh.ExpandEnvironmentStrings("%HOME%%HOME%"), sh.ExpandEnvironmentStrings("")
