' Null in Imp: the result is known where the other side settles it, and Null otherwise.
WScript.Echo False Imp Null, True Imp Null, Null Imp True, Null Imp False, Null Imp Null
WScript.Echo 0 Imp Null, TypeName(0 Imp Null), IsNull(1 Imp Null), IsNull(-1 Imp Null)
