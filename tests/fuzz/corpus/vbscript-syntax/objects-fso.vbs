Set fso = CreateObject("Scripting.FileSystemObject")
dir = fso.BuildPath(fso.GetAbsolutePathName("."), "fso_test_tmp")
If fso.FolderExists(dir) Then fso.DeleteFolder dir
fso.CreateFolder dir
WScript.Echo fso.FolderExists(dir), fso.FileExists(dir)
path = fso.BuildPath(dir, "notes.txt")
Set ts = fso.CreateTextFile(path, True)
ts.WriteLine "first line"
ts.Write "second"
ts.WriteLine " line"
ts.Close
WScript.Echo fso.FileExists(path), fso.GetFileName(path), fso.GetBaseName(path), fso.GetExtensionName(path)
WScript.Echo fso.GetFileName(fso.GetParentFolderName(path))
Set ts = fso.OpenTextFile(path)
Do Until ts.AtEndOfStream
    WScript.Echo "read:", ts.ReadLine
Loop
ts.Close
Set ts = fso.OpenTextFile(path, 8)
ts.WriteLine "third"
ts.Close
Set ts = fso.OpenTextFile(path, 1)
all = ts.ReadAll
ts.Close
WScript.Echo Len(all), UBound(Split(all, vbCrLf))
Set f = fso.GetFile(path)
WScript.Echo f.Name, f.Size
fso.CopyFile path, fso.BuildPath(dir, "copy.txt")
fso.MoveFile fso.BuildPath(dir, "copy.txt"), fso.BuildPath(dir, "moved.txt")
WScript.Echo fso.FileExists(fso.BuildPath(dir, "copy.txt")), fso.FileExists(fso.BuildPath(dir, "moved.txt"))
For Each file In fso.GetFolder(dir).Files
    WScript.Echo "file:", file.Name
Next
fso.DeleteFile fso.BuildPath(dir, "moved.txt")
WScript.Echo fso.GetFolder(dir).Files.Count
On Error Resume Next
Set ts = fso.OpenTextFile(fso.BuildPath(dir, "absent.txt"))
WScript.Echo Err.Number, Err.Description
Err.Clear
fso.CreateFolder dir
WScript.Echo Err.Number, Err.Description
On Error GoTo 0
fso.DeleteFolder dir
WScript.Echo fso.FolderExists(dir)
Set ts = fso.OpenTextFile(path)
