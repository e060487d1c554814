Set d = CreateObject("Scripting.Dictionary")
Set e = CreateObject("Scripting.Dictionary")
d.Add "inner", e
With d
    .Add "a", 1
    .Item("b") = 2
    With .Item("inner")
        .Add "x", 10
        WScript.Echo .Count, .Item("x")
    End With
    WScript.Echo .Count, .Exists("a"), .Item("b")
End With
