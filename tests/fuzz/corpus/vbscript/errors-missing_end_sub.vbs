Sub Alone
    x = 1
