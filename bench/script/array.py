def main():
    a = [0] * 1000000
    for i in range(1000000):
        a[i] = i
    s = 0
    for i in range(1000000):
        s = s + a[i]
    print(s)
main()
