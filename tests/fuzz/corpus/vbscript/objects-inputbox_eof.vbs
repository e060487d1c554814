' With stdin at its end, InputBox gives the default text.
answer = InputBox("Question?", "Title", "the default")
WScript.Echo "[" & answer & "]"
