' Exec starts the program itself, never a shell line, and gives its streams and its end.
Set sh = CreateObject("WScript.Shell")
Set e = sh.Exec("/bin/echo one  ""two  three""")
WScript.Echo TypeName(e), e.ProcessID > 0
WScript.Echo "[" & e.StdOut.ReadAll & "]"
Do While e.Status = 0: WScript.Sleep 10: Loop
WScript.Echo e.Status, e.ExitCode, e.StdOut.AtEndOfStream, "[" & e.StdOut.ReadAll & "]"

' Line by line, piece by piece, both outputs, and an exit code of its own.
Set e = sh.Exec("sh -c ""printf 'ab\ncd\r\nlast'; echo problem >&2; exit 3""")
Set out = e.StdOut
WScript.Echo out.Read(1), out.Line, out.Column, out.AtEndOfLine
WScript.Echo out.ReadLine, out.Line, out.Column
WScript.Echo "[" & out.ReadLine & "]", out.AtEndOfStream
out.Skip 2
WScript.Echo out.Read(10), out.AtEndOfStream, e.StdErr.ReadLine, e.StdErr.AtEndOfStream
Do While e.Status = 0: WScript.Sleep 10: Loop
WScript.Echo e.ExitCode

' Input reaches the program; it ends when the input is closed.
Set e = sh.Exec("sort")
e.StdIn.WriteLine "pear"
e.StdIn.Write "apple" & vbLf & "fig"
e.StdIn.WriteBlankLines 1
WScript.Echo e.StdIn.Line, e.Status
e.StdIn.Close
WScript.Echo Replace(e.StdOut.ReadAll, vbLf, ","), e.StdErr.AtEndOfStream

' Characters that arrive in pieces are whole when read.
Set e = sh.Exec("sh -c ""printf '\303'; sleep 0.1; printf '\244\303\266!'""")
s = e.StdOut.ReadAll
WScript.Echo Len(s), AscW(Left(s, 1)), AscW(Mid(s, 2, 1)), Right(s, 1)

' A program that fills its error output while the script reads the other does not stall.
Set e = sh.Exec("sh -c ""yes error-line | head -n 50000 >&2; echo done""")
WScript.Echo e.StdOut.ReadAll, Len(e.StdErr.ReadAll)

' Terminate ends a program that would run on.
Set e = sh.Exec("sleep 30")
WScript.Echo e.Status, e.ExitCode
e.Terminate
Do While e.Status = 0: WScript.Sleep 10: Loop
WScript.Echo e.Status, e.ExitCode, e.StdOut.AtEndOfStream

On Error Resume Next
Set e = sh.Exec("cat")
x = e.StdIn.ReadLine
WScript.Echo Err.Number, Err.Description
Err.Clear
e.StdOut.Write "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
e.StdIn.Close
e.StdIn.Write "after close"
WScript.Echo Err.Number, Err.Description
Err.Clear
x = e.StdOut.ReadLine
WScript.Echo Err.Number, Err.Description
Err.Clear
Set e = sh.Exec("true")
Do While e.Status = 0: WScript.Sleep 10: Loop
e.StdIn.Write "nobody reads this"
WScript.Echo Err.Number, Err.Description
Err.Clear
Set missing = sh.Exec("/no/such/program")
WScript.Echo Err.Number, Err.Description, IsEmpty(missing)
Err.Clear
Set e = sh.Exec("")
WScript.Echo Err.Number, Err.Description
Err.Clear
e.Status = 1
WScript.Echo Err.Number, Err.Description
