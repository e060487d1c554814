' =< and => are spellings of <= and >=.
WScript.Echo 3 => 2, 2 => 3, 2 => 2
WScript.Echo 3 =< 2, 2 =< 3, 2 =< 2
WScript.Echo "b" => "a", "b" =< "a"
x = 5
If x =>5 Then WScript.Echo "x =>5"
If x=<4 Then WScript.Echo "wrong" Else WScript.Echo "x=<4 is False"
Select Case x
Case Is =< 4
    WScript.Echo "wrong case"
Case Is => 5
    WScript.Echo "Case Is => 5"
End Select
WScript.Echo Eval("1 => 1")
