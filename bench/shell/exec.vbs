' Programs started from scripts: how long a start takes, and how fast their output arrives.
Set sh = CreateObject("WScript.Shell")

Function Ms(seconds)
    If seconds < 0 Then seconds = seconds + 86400 ' past midnight
    Ms = Round(seconds * 1000, 2)
End Function

Const Starts = 100
t = Timer
For i = 1 To Starts
    Set e = sh.Exec("true")
    x = e.StdOut.ReadAll
    Do While e.Status = 0: Loop
Next
WScript.Echo "exec_true_ms: " & Ms((Timer - t) / Starts)

t = Timer
For i = 1 To Starts
    code = sh.Run("true", 0, True)
Next
WScript.Echo "run_wait_true_ms: " & Ms((Timer - t) / Starts)

Const Bytes = 20000000
t = Timer
s = sh.Exec("head -c " & Bytes & " /dev/zero").StdOut.ReadAll
elapsed = Timer - t
If Len(s) <> Bytes Then WScript.Echo "readall: got " & Len(s) & " characters": WScript.Quit 1
WScript.Echo "readall_mb_per_s: " & Round(Bytes / 1000000 / elapsed, 1)

Const Lines = 100000
t = Timer
Set out = sh.Exec("seq " & Lines).StdOut
n = 0
Do Until out.AtEndOfStream
    line = out.ReadLine
    n = n + 1
Loop
elapsed = Timer - t
If n <> Lines Then WScript.Echo "readline: got " & n & " lines": WScript.Quit 1
WScript.Echo "readline_lines_per_s: " & Round(Lines / elapsed)
