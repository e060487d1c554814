// How long the command editor's Add takes with lists of several sizes, run by bench/edit.sh.
// Each size gets a program of its own in a fresh application folder, with the real
// PocketSphinx recognizer listening to a paced, quiet microphone. Prints medians:
//   add_ms_N               the click on Add until it returns (saving the list, writing the
//                          grammar and handing it to the recognizer included), N commands
//   reload_ready_ms_1000   the same click until the recognizer's worker decodes with the new
//                          grammar, 1000 commands
#include "BrainWindow.h"
#include "CommandList.h"
#include "Dialogs.h"
#include "PocketSphinxRecognizer.h"
#include "Program.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <mutex>
#include <optional>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kAddsPerSize = 10;

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// A quiet room heard through a microphone, in 5 ms blocks at the pace a device delivers them.
// The worker reads only between grammar changes, so the start of each read tells how far it
// has got: a read begun after another one that began after a reload was handed over comes
// after the worker applied that reload.
class QuietMicrophone : public AudioSource {
public:
    bool open(QString *) override { return true; }
    void close() override {}
    int read(int16_t *samples, int maxSamples) override
    {
        std::unique_lock lock(m_mutex);
        m_starts.push_back(Clock::now());
        if (m_due < Clock::now() - std::chrono::milliseconds(100))
            m_due = Clock::now();
        m_due += std::chrono::milliseconds(5);
        m_wake.wait_until(lock, m_due, [this] { return m_interrupted; });
        if (m_interrupted)
            return 0;
        const int count = std::min(maxSamples, sampleRate / 200);
        std::uniform_int_distribution<int> hiss(-3, 3);
        for (int i = 0; i < count; ++i)
            samples[i] = int16_t(hiss(m_random));
        return count;
    }
    void interrupt() override
    {
        std::lock_guard lock(m_mutex);
        m_interrupted = true;
        m_wake.notify_all();
    }

    // The start of the second read begun at or after the moment, once there is one.
    std::optional<Clock::time_point> secondReadSince(Clock::time_point since)
    {
        std::lock_guard lock(m_mutex);
        int seen = 0;
        for (auto it = std::lower_bound(m_starts.begin(), m_starts.end(), since);
             it != m_starts.end(); ++it) {
            if (++seen == 2)
                return *it;
        }
        return std::nullopt;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<Clock::time_point> m_starts;
    Clock::time_point m_due;
    bool m_interrupted = false;
    std::minstd_rand m_random{7};
};

class SilentDialogs : public Dialogs {
public:
    void message(const QString &title, const QString &text) override
    {
        std::fprintf(stderr, "edit bench: unexpected message: %s: %s\n", qPrintable(title),
                     qPrintable(text));
    }
    int ask(const QString &, const QString &, int) override { return 1; }
    QString input(const QString &, const QString &, const QString &, bool *ok) override
    {
        if (ok)
            *ok = false;
        return {};
    }
};

// Everyday commands built from words every dictionary knows, each one different.
const char *const kVerbs[] = {"open",  "close", "show",  "hide",  "start", "stop", "find",
                              "clean", "check", "light", "move",  "turn",  "fill", "paint",
                              "lock",  "wash",  "fix",   "count", "play",  "call"};
const char *const kColours[] = {"red",   "blue", "green", "yellow", "white",  "black",
                                "brown", "pink", "grey",  "orange", "purple", "small",
                                "big",   "old",  "new",   "dark"};
const char *const kThings[] = {
    "window",  "door",   "box",    "lamp", "book",  "garden", "kitchen", "table", "chair", "letter",
    "picture", "bottle", "basket", "car",  "house", "radio",  "clock",   "map",   "bag",   "cup"};
// The first 6400 phrases have no last word, as before there were lists this long.
const char *const kLastWords[] = {"", " now", " please", " again"};
constexpr int kVerbCount = int(std::size(kVerbs));
constexpr int kColourCount = int(std::size(kColours));
constexpr int kThingCount = int(std::size(kThings));
constexpr int kLastWordCount = int(std::size(kLastWords));
constexpr int kPhraseCount = kVerbCount * kColourCount * kThingCount * kLastWordCount;

QString phrase(int index)
{
    const int thing = index % kThingCount;
    const int colour = index / kThingCount % kColourCount;
    const int verb = index / (kThingCount * kColourCount) % kVerbCount;
    const int last = index / (kThingCount * kColourCount * kVerbCount);
    return QStringLiteral("%1 the %2 %3%4")
        .arg(QLatin1String(kVerbs[verb]), QLatin1String(kColours[colour]),
             QLatin1String(kThings[thing]), QLatin1String(kLastWords[last]));
}

// Resident memory of this process, in megabytes.
double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return -1;
}

QByteArray commandList(int count)
{
    QByteArray list = "Pebble listen\r\nSpeak\r\nI hear you\r\n"
                      "never mind\r\nSpeak\r\nWhat ever\r\n"
                      "stop speak\r\nSpeak\r\nOk\r\n"
                      "go to sleep\r\nSpeak\r\nI hope I am sleepy\r\n";
    for (int i = 0; i < count - CommandList::kReservedCount; ++i) {
        const QString said = phrase(i);
        list += (said + "\r\nSpeak\r\nI will " + said + "\r\n").toUtf8();
    }
    return list;
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

struct Figures {
    double addMs = 0;
    double readyMs = 0;
    // From making the program until the character is shown.
    double startMs = 0;
    // Once the recognizer has the start-up grammar.
    double startRssMb = 0;
};

bool measure(int count, Figures *figures)
{
    QTemporaryDir folder;
    QDir root(folder.path());
    root.mkpath("data");
    root.mkpath("Character");
    root.mkpath("Plugins");
    const QDir shipped(QStringLiteral(QUILLET_APP_DIR "/Character"));
    for (const QString &file : shipped.entryList({"*.qlc"}, QDir::Files))
        QFile::copy(shipped.filePath(file), root.filePath("Character/" + file));
    QFile list(root.filePath("data/brainlist"));
    if (!list.open(QIODevice::WriteOnly) || list.write(commandList(count)) < 0)
        return false;
    list.close();

    auto microphone = std::make_unique<QuietMicrophone>();
    QuietMicrophone *mic = microphone.get();
    SilentDialogs dialogs;
    const Clock::time_point making = Clock::now();
    Program::Services services = Program::desktopServices();
    services.recognizer = std::make_unique<PocketSphinxRecognizer>(std::move(microphone));
    Program program(AppPaths(folder.path()), std::move(services), dialogs);
    if (!program.start() || program.commands().count() != count) {
        std::fprintf(stderr, "edit bench: the program did not start with %d commands\n", count);
        return false;
    }
    figures->startMs = msBetween(making, Clock::now());
    BrainWindow &brain = program.brain();
    brain.brainOpen = true;
    brain.show();
    // The start-up grammar is applied before the first add.
    const Clock::time_point started = Clock::now();
    if (!waitUntil([&] { return mic->secondReadSince(started).has_value(); }, 60000))
        return false;
    figures->startRssMb = residentMb();

    auto button = [&](const char *name) { return brain.findChild<QWidget *>(name); };
    std::vector<double> adds;
    std::vector<double> readies;
    for (int i = 0; i < kAddsPerSize; ++i) {
        // The card turns over to the add page and back in steps of its own; each add starts
        // and ends with the turn finished.
        QTest::mouseClick(button("addnewbutton"), Qt::LeftButton);
        if (!waitUntil([&] { return button("addform")->isVisible() && brain.flipp == 19; }, 10000))
            return false;
        const QString said = phrase(kPhraseCount - 1 - i);
        for (QLineEdit *box : {brain.phrasetext(), brain.action()}) {
            box->setFocus();
            QTest::keyClicks(box, box == brain.phrasetext() ? said : "Done: " + said);
        }
        QWidget *add = button("add");
        if (!add->isVisible())
            return false;
        QCoreApplication::processEvents();

        const QPoint centre = add->rect().center();
        QElapsedTimer timer;
        const Clock::time_point clicked = Clock::now();
        timer.start();
        QTest::mouseClick(add, Qt::LeftButton, {}, centre);
        const qint64 ns = timer.nsecsElapsed();
        const Clock::time_point returned = Clock::now();
        adds.push_back(double(ns) / 1e6);
        if (program.commands().count() != count + i + 1) {
            std::fprintf(stderr, "edit bench: the command \"%s\" was not added\n",
                         qPrintable(said));
            return false;
        }
        std::optional<Clock::time_point> ready;
        if (!waitUntil(
                [&] {
                    ready = mic->secondReadSince(returned);
                    return ready.has_value();
                },
                60000))
            return false;
        readies.push_back(msBetween(clicked, *ready));
        if (!waitUntil([&] { return !button("addform")->isVisible() && brain.flipp == 1; }, 10000))
            return false;
    }
    figures->addMs = median(adds);
    figures->readyMs = median(readies);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    static_assert(kPhraseCount >= 20000 + kAddsPerSize);
    double ready1000 = 0;
    // The longest list first, while this process holds nothing of the others: its memory is
    // the start's own.
    for (int count : {20000, 50, 1000, 5000}) {
        Figures figures;
        if (!measure(count, &figures)) {
            std::fprintf(stderr, "edit bench: measuring %d commands failed\n", count);
            return 1;
        }
        if (count == 20000) {
            std::printf("start_ms_20000: %.1f\n", figures.startMs);
            std::printf("start_rss_mb_20000: %.1f\n", figures.startRssMb);
        }
        std::printf("add_ms_%d: %.1f\n", count, figures.addMs);
        std::fflush(stdout);
        if (count == 1000)
            ready1000 = figures.readyMs;
    }
    std::printf("reload_ready_ms_1000: %.1f\n", ready1000);
    return 0;
}
