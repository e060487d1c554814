# Inside a function CPython appends in place to a uniquely referenced string.
def main():
    s = ""
    for i in range(1048576):
        s = s + "x"
    print(len(s))
main()
