// Feeds the seed corpus and the saved findings of one fuzz target to its entry point, so that
// the normal test run keeps every fixed finding fixed without a fuzzer. The inputs kept in a
// findings folder's open/ still fail and are left out until the code they break is fixed.
#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

void replayFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    const QByteArray bytes = file.readAll();
    // A crash ends the test binary; the last name on the output is the input that did it.
    std::fprintf(stderr, "replaying %s\n", qPrintable(path));
    std::fflush(stderr);
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                           size_t(bytes.size()));
}

int replayFolder(const QString &path)
{
    const QFileInfoList files = QDir(path).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : files)
        replayFile(info.filePath());
    return int(files.size());
}

const QString testsFolder = QStringLiteral(QUILLET_SOURCE_DIR "/tests/");
const QString fuzzFolder = testsFolder + "fuzz/";

// The inputs a seeds/ line names: a file, or every file below a folder but the expected
// output and standard input that stand beside a script test. run.sh reads the same.
QStringList seedInputs(const QString &entry)
{
    const QString path = testsFolder + entry;
    if (QFileInfo(path).isFile())
        return {path};
    QStringList inputs;
    QDirIterator it(path, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QFileInfo info(file);
        const bool besideScript =
            (info.suffix() == "out" || info.suffix() == "in") &&
            QFileInfo::exists(info.path() + '/' + info.completeBaseName() + ".vbs");
        if (!besideScript)
            inputs << file;
    }
    inputs.sort();
    return inputs;
}

} // namespace

TEST(FuzzReplay, SeedCorpus)
{
    QFile list(fuzzFolder + "seeds/" QUILLET_FUZZ_TARGET ".txt");
    ASSERT_TRUE(list.open(QIODevice::ReadOnly | QIODevice::Text));
    int entries = 0;
    while (!list.atEnd()) {
        const QString entry = QString::fromUtf8(list.readLine()).trimmed();
        if (entry.isEmpty() || entry.startsWith('#'))
            continue;
        ++entries;
        // Every line names inputs: one that names none is misspelt.
        const QStringList inputs = seedInputs(entry);
        EXPECT_FALSE(inputs.isEmpty()) << qPrintable(entry);
        for (const QString &input : inputs)
            replayFile(input);
    }
    EXPECT_GT(entries, 0);
}

TEST(FuzzReplay, SavedFindings)
{
    const QString folder = fuzzFolder + "regressions/" QUILLET_FUZZ_TARGET;
    if (!QDir(folder).exists())
        GTEST_SKIP() << "no findings saved for " QUILLET_FUZZ_TARGET;
    replayFolder(folder);
}
