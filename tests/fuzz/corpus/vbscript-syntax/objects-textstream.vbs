Set fso = CreateObject("Scripting.FileSystemObject")
path = fso.BuildPath(fso.GetAbsolutePathName("."), "ts_test_tmp.txt")
Set ts = fso.OpenTextFile(path, 2, True)
ts.WriteLine "alpha"
ts.WriteBlankLines 1
ts.Write "gamma"
ts.Close
Set ts = fso.OpenTextFile(path, 1)
WScript.Echo ts.ReadLine, "[" & ts.ReadLine & "]", ts.AtEndOfStream, ts.Read(3), ts.ReadAll, ts.AtEndOfStream
ts.Close
Set ts = fso.OpenTextFile(path)
ts.SkipLine
WScript.Echo ts.Line
On Error Resume Next
ts.Write "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
ts.Close
Set ts = fso.OpenTextFile(path, 8)
x = ts.ReadLine
WScript.Echo Err.Number
ts.Close
Err.Clear
Set ts = fso.CreateTextFile(path, False)
WScript.Echo Err.Number
On Error GoTo 0
fso.DeleteFile path
WScript.Echo fso.FileExists(path)
Set ts = fso.OpenTextFile(path, 2)
