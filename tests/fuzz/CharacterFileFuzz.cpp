// Any bytes as a character file: a picture or a null image, and a picture that was read can
// be written as a character file that reads back at the same size.
#include "CharacterFile.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QImage strip = CharacterFile::decode(bytes);
    // Large pictures only cost time here; the reading of their headers is what is under test.
    if (strip.isNull() || qint64(strip.width()) * strip.height() > 256 * 256)
        return 0;
    const QByteArray written = CharacterFile::encode(strip);
    FUZZ_CHECK(!written.isEmpty() && written.at(0) == 0);
    const QImage reread = CharacterFile::decode(written);
    FUZZ_CHECK(reread.size() == strip.size());
    return 0;
}
