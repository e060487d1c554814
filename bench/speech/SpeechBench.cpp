// Feeds lists of recorded utterances through the real recognizer and reports what it heard.
//   quillet_speech_bench --grammar FILE --list FILE [--threshold T] [--realtime] [--verbose]
//       [--curve T,T,..]   also the accuracy and false accepts with each of these confidence
//                          limits, from one decoding at the lowest
//       list lines: "<expected phrase>\t<wav>"; an empty expected phrase means none may fire.
//   quillet_speech_bench --grammar FILE --silence WAV   (CPU while listening, real time)
// Prints "name: value" lines.
#include "ConfidenceLimits.h"
#include "FileAudioSource.h"
#include "PocketSphinxRecognizer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Item {
    QString expected;
    QString wav;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double rssMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

// Where the voice ends: the last sample clearly above the quiet background noise.
int speechEndSample(const std::vector<int16_t> &samples)
{
    for (int i = static_cast<int>(samples.size()) - 1; i >= 0; --i) {
        if (std::abs(samples[i]) > 1200)
            return i + 1;
    }
    return 0;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p * (values.size() - 1) + 0.5));
    return values[index];
}

void drainEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
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
    const bool realTime = args.contains("--realtime");
    const bool verbose = args.contains("--verbose");
    const QString grammar = option("--grammar");
    const QString listFile = option("--list");
    const QString silence = option("--silence");

    auto owned = std::make_unique<FileAudioSource>(
        realTime ? FileAudioSource::Pace::RealTime : FileAudioSource::Pace::AsFastAsPossible);
    FileAudioSource *source = owned.get();
    PocketSphinxRecognizer recognizer(std::move(owned));
    const ConfidenceLimits limits = ConfidenceLimits::fromOptions(option);
    const double threshold = limits.threshold;
    const std::vector<double> &curve = limits.curve;
    recognizer.setThreshold(limits.lowest());
    if (!recognizer.loadGrammar(grammar)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(grammar));
        return 1;
    }
    recognizer.activate();

    // Each phrase heard, with the confidence of its utterance.
    QList<QPair<QString, double>> heard;
    double acceptedConfidence = 0;
    QElapsedTimer clock;
    clock.start();
    qint64 heardAt = -1;
    QObject::connect(&recognizer, &Recognizer::phraseFinished, [&](const QString &phrase) {
        heard << qMakePair(phrase, acceptedConfidence);
        heardAt = clock.nsecsElapsed();
    });
    double lastConfidence = 0;
    QString lastWords;
    QObject::connect(&recognizer, &PocketSphinxRecognizer::utteranceScored,
                     [&](const QStringList &words, double confidence, bool accepted) {
                         if (accepted)
                             acceptedConfidence = confidence;
                         lastConfidence = confidence;
                         lastWords = words.join(' ');
                         if (verbose)
                             std::fprintf(stderr, "  scored %.0f \"%s\"\n", confidence,
                                          qPrintable(lastWords));
                     });

    // Let the model and grammar load before timing anything.
    source->enqueue(std::vector<int16_t>(AudioSource::sampleRate / 10, 0));
    source->waitUntilDrained(std::chrono::seconds(60));
    drainEvents();

    QTextStream out(stdout);
    if (!silence.isEmpty()) {
        const std::vector<int16_t> samples = FileAudioSource::loadSamples(silence);
        const double cpuBefore = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        source->enqueue(samples);
        source->waitUntilDrained(std::chrono::seconds(600));
        const double cpu = cpuSeconds() - cpuBefore;
        out << "listen_cpu_percent: "
            << QString::number(100.0 * cpu / (wall.nsecsElapsed() / 1e9), 'f', 2) << "\n";
        out << "rss_mb: " << QString::number(rssMb(), 'f', 1) << "\n";
        return 0;
    }

    QFile list(listFile);
    if (!list.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(listFile));
        return 1;
    }
    std::vector<Item> items;
    for (const QByteArray &line : list.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 2)
            items.push_back({QString::fromUtf8(fields[0]), QString::fromUtf8(fields[1])});
    }

    // What each item would count as with a limit: a command heard as said and nothing else, or
    // a sentence that fired something.
    auto heardWith = [](const QList<QPair<QString, double>> &all, double limit) {
        QStringList phrases;
        for (const auto &[phrase, confidence] : all) {
            if (confidence >= limit)
                phrases << phrase;
        }
        return phrases;
    };
    std::vector<int> curveCorrect(curve.size(), 0), curveFalse(curve.size(), 0);
    int commands = 0, correct = 0, others = 0, falseAccepts = 0;
    std::vector<double> latencies;
    for (const Item &item : items) {
        const std::vector<int16_t> samples = FileAudioSource::loadSamples(item.wav);
        heard.clear();
        heardAt = -1;
        lastWords.clear();
        lastConfidence = 0;
        source->waitUntilDrained(std::chrono::seconds(60));
        const qint64 start = clock.nsecsElapsed();
        source->enqueue(samples);
        // Keep the UI thread's events flowing, so the phrase event is timed when it arrives.
        while (!source->waitUntilDrained(std::chrono::milliseconds(2)))
            drainEvents();
        drainEvents();
        for (size_t i = 0; i < curve.size(); ++i) {
            const QStringList phrases = heardWith(heard, curve[i]);
            curveCorrect[i] += !item.expected.isEmpty() && phrases == QStringList{item.expected};
            curveFalse[i] += item.expected.isEmpty() && !phrases.isEmpty();
        }
        const QStringList phrases = heardWith(heard, threshold);
        const bool ok =
            item.expected.isEmpty() ? phrases.isEmpty() : phrases == QStringList{item.expected};
        if (item.expected.isEmpty()) {
            ++others;
            falseAccepts += phrases.isEmpty() ? 0 : 1;
        } else {
            ++commands;
            correct += ok ? 1 : 0;
            if (ok && realTime) {
                const double end = start + speechEndSample(samples) * 1e9 / AudioSource::sampleRate;
                latencies.push_back((heardAt - end) / 1e6);
            }
        }
        if (verbose || !ok)
            std::fprintf(stderr, "%s %6.0f expected \"%s\" heard \"%s\" best \"%s\" (%s)\n",
                         ok ? "ok  " : "FAIL", lastConfidence, qPrintable(item.expected),
                         qPrintable(phrases.join('|')), qPrintable(lastWords),
                         qPrintable(item.wav));
    }
    if (commands > 0)
        out << "accuracy_percent: " << QString::number(100.0 * correct / commands, 'f', 1) << "\n";
    if (others > 0)
        out << "false_accept_percent: " << QString::number(100.0 * falseAccepts / others, 'f', 1)
            << "\n";
    for (size_t i = 0; i < curve.size(); ++i) {
        out << "curve: threshold " << curve[i];
        if (commands > 0)
            out << " accuracy_percent "
                << QString::number(100.0 * curveCorrect[i] / commands, 'f', 1);
        if (others > 0)
            out << " false_accept_percent "
                << QString::number(100.0 * curveFalse[i] / others, 'f', 1);
        out << "\n";
    }
    if (!latencies.empty()) {
        out << "latency_median_ms: " << QString::number(percentile(latencies, 0.5), 'f', 0) << "\n";
        out << "latency_p95_ms: " << QString::number(percentile(latencies, 0.95), 'f', 0) << "\n";
    }
    return 0;
}
