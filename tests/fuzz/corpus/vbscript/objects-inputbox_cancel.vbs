' InputBox gives Empty when cancelled, and an empty string when answered with nothing.
' The runner answers with the lines of the .in file and cancels at its end.
answer = InputBox("Name?")
WScript.Echo IsEmpty(answer), TypeName(answer), "[" & answer & "]"
answer = InputBox("Name?")
WScript.Echo IsEmpty(answer), TypeName(answer), "[" & answer & "]"
answer = InputBox("Again?")
WScript.Echo IsEmpty(answer), TypeName(answer)
If IsEmpty(answer) Then WScript.Echo "cancelled"
