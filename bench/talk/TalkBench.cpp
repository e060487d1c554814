// Plays a long stream of a room's talk through the real recognizer, as fast as it decodes,
// and counts what it would have done on its own.
//   quillet_talk_bench --grammar FILE --stream RAW --commands TSV [--talk TSV] [--verbose]
//       [--pass listening|awake]   (one of the two passes only)
//       [--threshold T]   the recognizer's confidence limit instead of its own
//       [--curve T,T,..]  the listening pass also prints false actions and command accuracy
//                         with each of these limits, from one decoding at the lowest
//   quillet_talk_bench --list-phrases GRAMMAR   (each phrase the grammar holds, a line each)
//       stream: 16 kHz mono s16le; commands: "<first sample>\t<end sample>\t<phrase>..." per
//       command said in it; talk: "<first>\t<end>\t<voice>\t<rate>\t<text>" per sentence, to
//       show what was being said where something fired.
// Two passes over the stream: listening (every phrase heard is acted on) and awake but not
// listening (only the grammar's first phrase, the wake phrase, does something). Prints
// "name: value" lines; with --verbose every utterance and everything fired goes to stderr.
#include "ConfidenceLimits.h"
#include "FileAudioSource.h"
#include "PocketSphinxRecognizer.h"
#include "RecognitionGrammar.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int rate = AudioSource::sampleRate;
// The recognizer reads 50 ms at a time; handing it exactly that lets the UI thread answer
// every phrase before the next block, as it would live.
constexpr int block = rate / 20;
// A command's phrase event counts as the command heard when it comes this soon after it.
constexpr int answerWindow = 2 * rate;

struct Said {
    qint64 start = 0;
    qint64 end = 0;
    QString phrase;
    QString voice;
    bool heard = false;
    double confidence = 0;
};

struct Sentence {
    qint64 start = 0;
    qint64 end = 0;
    QString text;
};

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p * (values.size() - 1) + 0.5));
    return values[index];
}

QList<QStringList> readTable(const QString &path)
{
    QList<QStringList> rows;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (!line.isEmpty())
            rows << QString::fromUtf8(line).split('\t');
    }
    return rows;
}

// A phrase event, with the confidence of the utterance behind it.
struct Fired {
    double confidence = 0;
    bool right = false;
    double latencyMs = 0;
};

struct PassResult {
    std::vector<Fired> fired;

    int falseFired(double threshold) const
    {
        return int(std::count_if(fired.begin(), fired.end(), [&](const Fired &f) {
            return !f.right && f.confidence >= threshold;
        }));
    }
    std::vector<double> latencies(double threshold) const
    {
        std::vector<double> values;
        for (const Fired &f : fired) {
            if (f.right && f.confidence >= threshold)
                values.push_back(f.latencyMs);
        }
        return values;
    }
};

enum class Mode { Listening, Awake };

// A command counts as heard with a limit when the phrase it fired came with at least that
// confidence.
PassResult runPass(Mode mode, const QString &grammar, const QString &wake,
                   const std::vector<int16_t> &stream, std::vector<Said> &said,
                   const std::vector<Sentence> &talk, double threshold, bool verbose)
{
    auto owned = std::make_unique<FileAudioSource>(FileAudioSource::Pace::AsFastAsPossible);
    FileAudioSource *source = owned.get();
    PocketSphinxRecognizer recognizer(std::move(owned));
    recognizer.setThreshold(threshold);
    recognizer.loadGrammar(grammar);
    recognizer.activate();
    // Let the model load before anything is timed.
    source->enqueue(std::vector<int16_t>(rate / 10, 0));
    source->waitUntilDrained(std::chrono::seconds(60));
    QCoreApplication::processEvents();

    std::atomic<qint64> position = 0;
    // The worker scores an utterance before its phrase event is queued; at most one utterance
    // ends in a block.
    std::atomic<double> acceptedConfidence = 0;
    const char *name = mode == Mode::Listening ? "listening" : "awake";
    QObject::connect(
        &recognizer, &PocketSphinxRecognizer::utteranceScored, &recognizer,
        [&](const QStringList &words, double confidence, bool accepted) {
            if (accepted)
                acceptedConfidence = confidence;
            if (!verbose)
                return;
            // Whether a command was said just before: what tuning weighs the scores against.
            const qint64 at = position;
            QString truth = QStringLiteral("talk");
            for (const Said &s : said) {
                if (s.end <= at && s.end + answerWindow >= at)
                    truth = RecognitionGrammar::spokenWords(s.phrase) == words
                                ? QStringLiteral("command")
                                : "other than \"" + s.phrase + '"';
            }
            std::fprintf(stderr, "%s utterance at %.2f s: \"%s\" %.1f %s %s\n", name,
                         at / double(rate), qPrintable(words.join(' ')), confidence,
                         accepted ? "accepted" : "rejected", qPrintable(truth));
        },
        Qt::DirectConnection);

    PassResult result;
    double blockMs = 0;
    size_t nextSaid = 0;
    QObject::connect(&recognizer, &Recognizer::phraseFinished, [&](const QString &phrase) {
        const qint64 at = position;
        // The command this answers, if any: said before, and not long before.
        while (nextSaid < said.size() && said[nextSaid].end + answerWindow < at)
            ++nextSaid;
        Said *command = nullptr;
        for (size_t i = nextSaid; i < said.size() && said[i].start < at; ++i) {
            if (said[i].end <= at && !said[i].heard)
                command = &said[i];
        }
        const bool counts = mode == Mode::Listening || phrase == wake;
        const bool right = command && command->phrase == phrase;
        if (counts) {
            Fired fired{acceptedConfidence, right, 0};
            if (right) {
                command->heard = true;
                command->confidence = fired.confidence;
                fired.latencyMs = (at - command->end) * 1000.0 / rate + blockMs;
            }
            result.fired.push_back(fired);
        }
        if (verbose && counts) {
            QString context;
            for (const Sentence &s : talk) {
                if (s.end > at - 3 * rate && s.start < at)
                    context += " [" + s.text + "]";
            }
            std::fprintf(stderr, "%s %s \"%s\" at %.2f s%s%s\n", name, right ? "heard" : "FALSE",
                         qPrintable(phrase), at / double(rate),
                         command ? qPrintable(" (said \"" + command->phrase + "\")") : "",
                         qPrintable(context));
        }
        // What the dispatcher does after every phrase but a wake.
        if (!(mode == Mode::Awake && phrase == wake)) {
            recognizer.deactivate();
            recognizer.activate();
        }
    });

    QElapsedTimer clock;
    for (size_t at = 0; at < stream.size(); at += block) {
        const size_t end = std::min(stream.size(), at + block);
        position = qint64(end);
        clock.start();
        source->enqueue(std::vector<int16_t>(stream.begin() + at, stream.begin() + end));
        source->waitUntilDrained(std::chrono::seconds(60));
        // The time the block took to decode is part of the wait for an answer.
        blockMs = clock.nsecsElapsed() / 1e6;
        QCoreApplication::processEvents();
    }
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    auto option = [&](const QString &name) {
        const qsizetype at = args.indexOf(name);
        return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
    };
    const bool verbose = args.contains("--verbose");
    RecognitionGrammar grammar;
    if (!option("--list-phrases").isEmpty()) {
        if (!RecognitionGrammar::readFile(option("--list-phrases"), &grammar))
            return 1;
        for (const RecognitionGrammar::Phrase &phrase : grammar.phrases())
            std::printf("%s\n", qPrintable(phrase.text));
        return 0;
    }
    const QString grammarPath = option("--grammar");
    if (!RecognitionGrammar::readFile(grammarPath, &grammar) || grammar.phrases().isEmpty()) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(grammarPath));
        return 1;
    }
    const QString wake = grammar.phrases().first().text;

    QFile streamFile(option("--stream"));
    if (!streamFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read the stream\n");
        return 1;
    }
    const QByteArray bytes = streamFile.readAll();
    std::vector<int16_t> stream(size_t(bytes.size()) / 2);
    std::memcpy(stream.data(), bytes.constData(), stream.size() * 2);

    std::vector<Said> said;
    for (const QStringList &row : readTable(option("--commands"))) {
        if (row.size() >= 3)
            said.push_back({row[0].toLongLong(), row[1].toLongLong(), row[2], row.value(3)});
    }
    std::vector<Sentence> talk;
    for (const QStringList &row : readTable(option("--talk"))) {
        if (row.size() >= 5)
            talk.push_back({row[0].toLongLong(), row[1].toLongLong(), row[4]});
    }
    std::sort(talk.begin(), talk.end(),
              [](const Sentence &a, const Sentence &b) { return a.start < b.start; });

    const double hours = stream.size() / double(rate) / 3600.0;
    QTextStream out(stdout);
    if (option("--pass") != "awake")
        out << "talk_minutes: " << QString::number(hours * 60, 'f', 1) << "\n";
    out.flush();

    const ConfidenceLimits limits = ConfidenceLimits::fromOptions(option);
    const double threshold = limits.threshold;
    const std::vector<double> &curve = limits.curve;
    const double lowest = limits.lowest();

    // The passes may run in two processes side by side (--pass listening, --pass awake).
    const QString only = option("--pass");
    if (only.isEmpty() || only == "listening") {
        std::vector<Said> listenSaid = said;
        const PassResult listening =
            runPass(Mode::Listening, grammarPath, wake, stream, listenSaid, talk, lowest, verbose);
        auto heardWith = [&](double limit) {
            return int(std::count_if(listenSaid.begin(), listenSaid.end(), [&](const Said &s) {
                return s.heard && s.confidence >= limit;
            }));
        };
        for (const Said &s : listenSaid) {
            if (verbose && !(s.heard && s.confidence >= threshold))
                std::fprintf(stderr, "MISSED \"%s\" (%s) at %.2f s\n", qPrintable(s.phrase),
                             qPrintable(s.voice), s.start / double(rate));
        }
        auto accuracy = [&](double limit) {
            return QString::number(said.empty() ? 0 : 100.0 * heardWith(limit) / said.size(), 'f',
                                   1);
        };
        const std::vector<double> latencies = listening.latencies(threshold);
        out << "false_actions_per_hour: "
            << QString::number(listening.falseFired(threshold) / hours, 'f', 2) << "\n";
        out << "command_accuracy_percent: " << accuracy(threshold) << "\n";
        out << "latency_median_ms: " << QString::number(percentile(latencies, 0.5), 'f', 0) << "\n";
        out << "latency_p95_ms: " << QString::number(percentile(latencies, 0.95), 'f', 0) << "\n";
        for (double limit : curve) {
            out << "curve: threshold " << limit << " false_actions_per_hour "
                << QString::number(listening.falseFired(limit) / hours, 'f', 2)
                << " command_accuracy_percent " << accuracy(limit) << "\n";
        }
        out.flush();
    }
    if (only.isEmpty() || only == "awake") {
        std::vector<Said> awakeSaid = said;
        const PassResult awake =
            runPass(Mode::Awake, grammarPath, wake, stream, awakeSaid, talk, threshold, verbose);
        out << "false_wakes_per_hour: "
            << QString::number(awake.falseFired(threshold) / hours, 'f', 2) << "\n";
    }
    return 0;
}
