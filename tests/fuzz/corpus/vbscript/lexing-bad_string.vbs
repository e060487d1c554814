x = 1
y = "never closed
