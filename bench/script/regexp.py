# The same megabyte of notes as regexp.vbs, and the same searches and replacements.
import re


def main():
    words = ["alpha", "beta", "Gamma", "delta", "note", "user", "host", "Meeting", "date", "x"]
    seed = 1
    s = ""
    for i in range(165000):
        seed = (seed * 75 + 74) % 65537
        k = seed % 20
        if k == 0:
            piece = "user" + str(seed % 1000) + "@host" + str(seed % 7) + ".example.com "
        elif k == 1:
            piece = "20%02d-%02d-%02d " % (seed % 30, 1 + seed % 12, 1 + seed % 28)
        elif k == 2:
            piece = "\n"
        else:
            piece = words[seed % 10] + " "
        # Appends in place only in this form; "s + a + b" would copy the megabyte each time.
        s = s + piece

    t = re.sub(r"(\d{4})-(\d\d)-(\d\d)", r"\3.\2.\1", s)

    domains = 0
    matches = list(re.finditer(r"(\w+)@([\w.]+)", t))
    for m in matches:
        domains += len(m.group(2))

    t = re.sub(r"\s+", " ", t)

    count = len(re.findall(r"\b[a-z]+\b", t, re.IGNORECASE))
    print(len(s), len(t), len(matches), domains, count)


main()
