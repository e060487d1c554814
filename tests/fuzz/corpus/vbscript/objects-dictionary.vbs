Set d = CreateObject("Scripting.Dictionary")
d.Add "b", 2
d.Add "a", 1
d.Add 3, "three"
WScript.Echo d.Count, d("a"), d.Item(3), d.Exists("b"), d.Exists("B"), d.Exists("3")
k = d.Keys
i = d.Items
WScript.Echo Join(k, ","), i(0), UBound(i)
d("a") = 10
d.Item("c") = 30
WScript.Echo d("a"), d("c"), d.Count
d.Key("c") = "cc"
WScript.Echo d.Exists("c"), d("cc")
d.Remove "b"
For Each key In d
    WScript.Echo key, d(key)
Next
x = d("missing")
WScript.Echo IsEmpty(x), d.Count
d.RemoveAll
WScript.Echo d.Count
Set t = CreateObject("scripting.dictionary")
t.CompareMode = vbTextCompare
t.Add "Key", 1
WScript.Echo t.Exists("KEY"), t.CompareMode
On Error Resume Next
t.Add "key", 2
WScript.Echo Err.Number, Err.Description
Err.Clear
t.Remove "nothing here"
WScript.Echo Err.Number
On Error GoTo 0
Set o = CreateObject("Some.Unknown")
