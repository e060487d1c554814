' The environment of the program itself, whichever kind is asked for.
Set sh = CreateObject("WScript.Shell")
Set env = sh.Environment("PROCESS")
WScript.Echo TypeName(env), TypeName(sh.Environment), TypeName(sh.Environment("user"))

env("QX_ONE") = "first value"
WScript.Echo env("QX_ONE"), "|" & env.Item("qx_one") & "|", sh.Environment("System")("Qx_One")
' A name in another case changes the variable there is, not a second one.
env("qx_one") = "changed"
WScript.Echo env("QX_ONE")
count = 0
For Each entry In env
    If UCase(Left(entry, 7)) = "QX_ONE=" Then WScript.Echo entry: count = count + 1
Next
WScript.Echo "entries", count

' Count follows what is set and removed.
n = env.Count
sh.Environment("Volatile").Item("QX_TWO") = ""
WScript.Echo env.Count - n, "[" & env("QX_TWO") & "]"
env.Remove "qx_two"
env.Remove "QX_NEVER_SET"
WScript.Echo env.Count - n, "[" & env("QX_NEVER_SET") & "]"

' Programs started afterwards see the change.
Set e = sh.Exec("sh -c ""echo $QX_ONE""")
WScript.Echo e.StdOut.ReadLine
env("QX_CODE") = "7"
WScript.Echo sh.Run("sh -c ""exit $QX_CODE""", 0, True)

On Error Resume Next
Set bad = sh.Environment("Machine")
WScript.Echo Err.Number, Err.Description
Err.Clear
env("A=B") = "x"
WScript.Echo Err.Number, Err.Description
Err.Clear
env("") = "x"
WScript.Echo Err.Number, Err.Description
