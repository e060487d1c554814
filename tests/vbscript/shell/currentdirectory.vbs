' CurrentDirectory is the program's working folder: relative paths and started programs use it.
Set sh = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
start = sh.CurrentDirectory
WScript.Echo start = fso.GetAbsolutePathName("."), fso.GetFileName(start)

base = sh.Exec("mktemp -d").StdOut.ReadLine
fso.CreateFolder base & "/inner"
sh.CurrentDirectory = base
WScript.Echo Replace(sh.CurrentDirectory, base, "<base>")
sh.CurrentDirectory = "inner"
WScript.Echo Replace(sh.CurrentDirectory, base, "<base>")
WScript.Echo Replace(sh.Exec("pwd").StdOut.ReadLine, base, "<base>")
sh.CurrentDirectory = ".."
WScript.Echo Replace(sh.CurrentDirectory, base, "<base>"), fso.FolderExists("inner")

' A folder that is not there leaves the working folder where it was.
On Error Resume Next
sh.CurrentDirectory = base & "/missing"
WScript.Echo Err.Number, Err.Description
Err.Clear
fso.CreateTextFile(base & "/file").Close
sh.CurrentDirectory = base & "/file"
WScript.Echo Err.Number, Err.Description
On Error GoTo 0
WScript.Echo Replace(sh.CurrentDirectory, base, "<base>")
sh.CurrentDirectory = start
fso.DeleteFolder base
WScript.Echo sh.CurrentDirectory = start, fso.FolderExists(base)
