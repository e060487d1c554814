Dim i
i = 32767
i = i + 1
WScript.Echo i, TypeName(i)
j = 2147483647
j = j + 1
WScript.Echo j, TypeName(j)
k = CInt(-32768)
WScript.Echo TypeName(-k), -k
m = 200 * 200
WScript.Echo m, TypeName(m)
n = CLng(65536) * CLng(65536)
WScript.Echo n, TypeName(n)
b = CByte(250)
b = b + 10
WScript.Echo b, TypeName(b)
c = CCur(922337203685477)
WScript.Echo c, TypeName(c)
s = CSng(16777216) + 1
WScript.Echo TypeName(s)
For x = 32760 To 32770 Step 5
    WScript.Echo x, TypeName(x)
Next
z = CLng(3000000000)
