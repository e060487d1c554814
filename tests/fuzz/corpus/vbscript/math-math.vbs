WScript.Echo Abs(-3), Abs(-2.5), TypeName(Abs(CInt(-3))), Sgn(-7), Sgn(0), Sgn(0.1)
WScript.Echo Sqr(16), Exp(0), Log(Exp(2)), Round(Sin(0), 5), Cos(0), Round(Tan(Atn(1)), 10), Round(Atn(1) * 4, 6)
Randomize 42
r = Rnd
WScript.Echo r >= 0 And r < 1, TypeName(r), Rnd(0) = r
Rnd -1
a = Rnd
Rnd -1
b = Rnd
WScript.Echo a = b
ok = True
For i = 1 To 1000
    v = Int(Rnd * 6) + 1
    If v < 1 Or v > 6 Then ok = False
Next
WScript.Echo ok
WScript.Echo Sqr(-1)
