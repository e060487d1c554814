' Before any Rnd, Rnd(0) gives the value of the generator's documented seed, and the
' sequence starts from that seed as VBScript's does.
WScript.Echo Rnd(0), TypeName(Rnd(0))
WScript.Echo Rnd, Rnd(0), Rnd
