' &H and &O begin a number only when digits follow; otherwise & joins a name starting with
' h or o.
hi = "H": other = "O"
x = "x" &hi
WScript.Echo x, "y" &other, "z" &Hi & "!"
WScript.Echo &h1F, &o17, &HFF&
