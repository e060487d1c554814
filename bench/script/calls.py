def add_one(x):
    return x + 1
def main():
    s = 0
    for i in range(1000000):
        s = add_one(s)
    print(s)
main()
