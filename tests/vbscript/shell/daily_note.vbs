' A script as users write them: ask a program, pick its answer apart, keep a note in the
' user's documents, and show it with another program. Home is a folder of its own here.
Option Explicit
Dim sh, fso, env, home, docs, e, line, parts, total, count, note, path, f

Set sh = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
Set env = sh.Environment("PROCESS")
home = sh.Exec("mktemp -d").StdOut.ReadLine
env("HOME") = home
env.Remove "XDG_CONFIG_HOME"
fso.CreateFolder home & "/.config"
Set f = fso.CreateTextFile(home & "/.config/user-dirs.dirs")
f.WriteLine "XDG_DOCUMENTS_DIR=""$HOME/Dokumente"""
f.Close

docs = sh.SpecialFolders("MyDocuments")
If Not fso.FolderExists(docs) Then fso.CreateFolder docs

' The sizes of three made-up files, as a program would list them: "size name".
Set e = sh.Exec("sh -c ""printf '120 notes.txt\n3000 photo.jpg\n45 todo.txt\n'""")
total = 0: count = 0
Do Until e.StdOut.AtEndOfStream
    line = e.StdOut.ReadLine
    parts = Split(line, " ")
    If LCase(Right(parts(1), 4)) = ".txt" Then
        total = total + CLng(parts(0))
        count = count + 1
    End If
Loop
Do While e.Status = 0: WScript.Sleep 10: Loop

note = count & " text files, " & total & " bytes"
path = fso.BuildPath(docs, "note.txt")
Set f = fso.CreateTextFile(path)
f.Write note
f.Close

' Another program reads the note back from where the script put it.
sh.CurrentDirectory = docs
Set e = sh.Exec("cat note.txt")
WScript.Echo e.StdOut.ReadAll
WScript.Echo Replace(path, home, "~"), e.ExitCode
WScript.Echo sh.Run("test -s " & sh.ExpandEnvironmentStrings("%USERPROFILE%/Dokumente/note.txt"), 0, True)
sh.CurrentDirectory = fso.GetSpecialFolder(2)
fso.DeleteFolder home
