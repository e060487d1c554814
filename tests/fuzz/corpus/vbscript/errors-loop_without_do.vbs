x = 1
Loop
