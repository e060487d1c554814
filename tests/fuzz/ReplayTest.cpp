// Feeds the seed corpus and the saved findings of one fuzz target to its entry point, so that
// the normal test run keeps every fixed finding fixed without a fuzzer. The inputs kept in a
// findings folder's open/ still fail and are left out until the code they break is fixed.
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

int replayFolder(const QString &path)
{
    const QFileInfoList files = QDir(path).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : files) {
        QFile file(info.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(info.filePath());
        const QByteArray bytes = file.readAll();
        // A crash ends the test binary; the last name on the output is the input that did it.
        std::fprintf(stderr, "replaying %s\n", qPrintable(info.filePath()));
        std::fflush(stderr);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                               size_t(bytes.size()));
    }
    return int(files.size());
}

const QString fuzzFolder = QStringLiteral(QUILLET_SOURCE_DIR "/tests/fuzz/");

} // namespace

TEST(FuzzReplay, SeedCorpus)
{
    // Every seed folder of the target holds inputs: an empty one is a misspelt name.
    const QStringList seeds = QStringLiteral(QUILLET_FUZZ_SEEDS).split(',', Qt::SkipEmptyParts);
    ASSERT_FALSE(seeds.isEmpty());
    for (const QString &seed : seeds)
        EXPECT_GT(replayFolder(fuzzFolder + "corpus/" + seed), 0) << qPrintable(seed);
}

TEST(FuzzReplay, SavedFindings)
{
    const QString folder = fuzzFolder + "regressions/" QUILLET_FUZZ_TARGET;
    if (!QDir(folder).exists())
        GTEST_SKIP() << "no findings saved for " QUILLET_FUZZ_TARGET;
    replayFolder(folder);
}
