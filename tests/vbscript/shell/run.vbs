' Run waits only when asked, and then gives the program's own exit code.
Set sh = CreateObject("WScript.Shell")
WScript.Echo sh.Run("sh -c ""exit 3""", 0, True), sh.Run("true", , True), sh.Run("false", 1, True)
WScript.Echo sh.Run("sh -c ""exit 5""", 1, False), sh.Run("sh -c ""exit 5""")
' A program ended by a signal reports it the shell's way.
WScript.Echo sh.Run("sh -c ""kill -TERM $$""", 0, True)

' The waited-for program has finished: what it wrote is there.
Set fso = CreateObject("Scripting.FileSystemObject")
path = sh.Exec("mktemp -u").StdOut.ReadLine
WScript.Echo sh.Run("sh -c ""echo written > " & path & """", 0, True), fso.FileExists(path)
fso.DeleteFile path

On Error Resume Next
sh.Run "/no/such/program --flag", 1, True
WScript.Echo Err.Number, Err.Description
Err.Clear
x = sh.Run("no-such-program-anywhere")
WScript.Echo Err.Number, Err.Description, IsEmpty(x)
Err.Clear
sh.Run ""
WScript.Echo Err.Number, Err.Description
Err.Clear
sh.Run
WScript.Echo Err.Number, Err.Description
