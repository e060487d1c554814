WScript.Echo "start"
NoSuchProcedure 1, 2
