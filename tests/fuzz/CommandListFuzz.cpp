// Any bytes as the command list file. Whatever loads must save and load again as the same
// entries, so that opening and saving a list never changes it.
#include "CommandList.h"
#include "FuzzCheck.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

QList<CommandList::Entry> entries(const CommandList &list)
{
    QList<CommandList::Entry> out;
    for (int i = 0; i < list.count(); ++i)
        out << list.entry(i);
    return out;
}

bool loadBytes(const QString &path, const QByteArray &bytes, CommandList *list, QString *name)
{
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
    file.close();
    return list->load(path, name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("brainlist.in"));

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    CommandList list;
    QString name;
    loadBytes(path, bytes, &list, &name);

    CommandList reloaded;
    QString reloadedName;
    FUZZ_CHECK(loadBytes(path, list.serialize(), &reloaded, &reloadedName));
    FUZZ_CHECK(entries(reloaded) == entries(list));
    FUZZ_CHECK(reloadedName == name);
    return 0;
}
