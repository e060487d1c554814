' Stop breaks into a debugger where one is attached; without one the script runs on.
WScript.Echo "a"
Stop
WScript.Echo "b": Stop: WScript.Echo "c"
If True Then Stop Else WScript.Echo "no"
If False Then WScript.Echo "no" Else Stop
Sub S
    Stop
    WScript.Echo "in sub"
End Sub
S
[stop] = 3
WScript.Echo [stop]
