' The folders by the other system's names, from the XDG user-dirs file of a home made here.
Set sh = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
Set env = sh.Environment("PROCESS")
home = sh.Exec("mktemp -d").StdOut.ReadLine
env("HOME") = home
env.Remove "XDG_CONFIG_HOME"
env.Remove "XDG_DATA_HOME"

Sub Show(names)
    Dim name
    For Each name In names
        WScript.Echo name & " = [" & Replace(sh.SpecialFolders(name), home, "~") & "]"
    Next
End Sub

' Without a user-dirs file: the English names under the home folder.
Show Array("Desktop", "MyDocuments", "Templates")
fso.CreateFolder home & "/.config"
Set f = fso.CreateTextFile(home & "/.config/user-dirs.dirs")
f.WriteLine "# written by xdg-user-dirs-update"
f.WriteLine "XDG_DESKTOP_DIR=""$HOME/Schreibtisch"""
f.WriteLine "XDG_DOCUMENTS_DIR=""/srv/papers/"""
f.WriteLine "XDG_TEMPLATES_DIR=""relative/is/not/allowed"""
f.Close
Show Array("desktop", "MYDOCUMENTS", "Templates", "Startup", "AppData", "Fonts", "Programs")
' Nothing here matches these; the other system answers unknown names with "" too.
Show Array("Favorites", "NetHood", "SendTo", "NoSuchFolder")

' XDG_CONFIG_HOME moves the user-dirs file and the configuration folders with it.
env("XDG_CONFIG_HOME") = home & "/elsewhere"
env("XDG_DATA_HOME") = home & "/data"
Show Array("Desktop", "Startup", "AppData", "Fonts")

Set all = sh.SpecialFolders
WScript.Echo TypeName(all), all.Count, Replace(all.Item(0), home, "~"), Replace(all(3), home, "~")
n = 0
For Each folder In all
    If folder = all(n) Then n = n + 1
Next
WScript.Echo n = all.Count
On Error Resume Next
x = all(all.Count)
WScript.Echo Err.Number, Err.Description
On Error GoTo 0
fso.DeleteFolder home
