// Any bytes as one of the program's text files: what is read, written back and read again
// must be what was read the first time, line for line.
#include "FuzzCheck.h"
#include "TextFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = TextFile::decode(bytes);
    // UTF-8 never takes more characters than bytes, and Windows-1252 takes one per byte.
    FUZZ_CHECK(text.size() <= bytes.size());
    FUZZ_CHECK(TextFile::decode(TextFile::encode(text)) == text);

    const QStringList lines = TextFile::splitLines(text);
    for (const QString &line : lines)
        FUZZ_CHECK(!line.contains('\n'));
    FUZZ_CHECK(TextFile::splitLines(TextFile::decode(TextFile::joinLines(lines))) == lines);
    return 0;
}
