x = 1
Exit For
