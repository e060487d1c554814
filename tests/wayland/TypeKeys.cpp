// Types a key string through the key sender Quillet would choose in this session and prints
// the sender's name: quillet_type_keys KEYS
#include "KeyBackend.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    KeyBackend backend = KeyBackend::choose();
    std::printf("keys: %s\n", qPrintable(backend.name));
    QString error;
    if (!backend.sender->sendKeys(QString::fromUtf8(argv[1]), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
