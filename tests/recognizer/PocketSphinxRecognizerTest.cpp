#include "PocketSphinxRecognizer.h"
#include "FileAudioSource.h"
#include "SpokenAudio.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

const QStringList commands = {
    "Zimbo listen",   "stop speak",          "go to sleep",      "what time is it",
    "open my notes",  "read the selection",  "close the window", "scroll down",
    "page up",        "copy that",           "save the file",    "tell me a joke",
    "good morning",   "thank you",           "play some music",  "volume down",
    "check my email", "Run=Backup NOW",      "search the web",   "lock the screen",
    "open folder 3",  "minimize the window",
};

// Writes a grammar file exactly as the program does.
QString writeGrammar(QTemporaryDir &dir, const QStringList &phrases, const QString &name = "Temp")
{
    QByteArray bytes = "[Grammer]\r\ntype=cfg\r\n[<start>]\r\n";
    for (const QString &phrase : phrases)
        bytes += "<start>=" + phrase.toUtf8() + "\r\n";
    bytes += "\r\n";
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

class RecognizerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        auto source = std::make_unique<FileAudioSource>();
        m_source = source.get();
        m_recognizer = std::make_unique<PocketSphinxRecognizer>(std::move(source));
        QObject::connect(m_recognizer.get(), &Recognizer::phraseFinished,
                         [this](const QString &phrase) { m_heard << phrase; });
        QObject::connect(m_recognizer.get(), &PocketSphinxRecognizer::utteranceScored,
                         [this](const QStringList &words, double confidence, bool) {
                             m_scores
                                 << QStringLiteral("%1 (%2)").arg(words.join(' ')).arg(confidence);
                         });
    }

    void load(const QStringList &phrases)
    {
        ASSERT_TRUE(m_recognizer->loadGrammar(writeGrammar(m_dir, phrases)));
    }

    // Plays the audio and waits until the recognizer has dealt with all of it, without
    // letting the UI thread deliver anything yet.
    void play(const QString &text, const QString &voice = "en-us")
    {
        const QString wav = spokenWav(text, voice);
        ASSERT_FALSE(wav.isEmpty()) << "espeak-ng or sox failed for " << qPrintable(text);
        ASSERT_TRUE(m_source->enqueue(wav));
        ASSERT_TRUE(m_source->waitUntilDrained(60s));
    }

    QStringList deliver()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QStringList heard = m_heard;
        m_heard.clear();
        m_lastScores = m_scores.join(", ");
        m_scores.clear();
        return heard;
    }

    QStringList hear(const QString &text, const QString &voice = "en-us")
    {
        play(text, voice);
        return deliver();
    }

    QStringList hear(std::vector<int16_t> samples)
    {
        m_source->enqueue(std::move(samples));
        EXPECT_TRUE(m_source->waitUntilDrained(60s));
        return deliver();
    }

    QTemporaryDir m_dir;
    FileAudioSource *m_source = nullptr;
    std::unique_ptr<PocketSphinxRecognizer> m_recognizer;
    QStringList m_heard;
    QStringList m_scores;
    // What the decoder made of the last audio, for failure messages.
    QString m_lastScores;
};

std::vector<int16_t> silence(double seconds)
{
    return std::vector<int16_t>(size_t(seconds * AudioSource::sampleRate), 0);
}

// Pieces of audio one after another.
std::vector<int16_t> joined(std::initializer_list<std::vector<int16_t>> pieces)
{
    std::vector<int16_t> all;
    for (const std::vector<int16_t> &piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

// Catches what is written to stderr while it lives; text() once it is gone.
class StderrCapture {
public:
    explicit StderrCapture(const QString &path)
        : m_path(path)
    {
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        m_ok = std::freopen(qPrintable(path), "w", stderr) != nullptr;
    }
    ~StderrCapture() { restore(); }

    bool isCapturing() const { return m_ok; }
    QByteArray text()
    {
        restore();
        QFile file(m_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
    }

    QString m_path;
    int m_saved = -1;
    bool m_ok = false;
};

} // namespace

TEST_F(RecognizerTest, APhraseIsHeardOnItsOwnButNotCutOutOfRunningSpeech)
{
    load(commands);
    m_recognizer->activate();
    const std::vector<int16_t> phrase = spokenSamples("open my notes");
    const std::vector<int16_t> before = spokenSamples("I was thinking about the weekend");
    const std::vector<int16_t> after = spokenSamples("and then we could go for a walk");
    ASSERT_FALSE(phrase.empty() || before.empty() || after.empty());

    EXPECT_EQ(hear(joined({silence(1), phrase, silence(1)})), QStringList{"open my notes"})
        << qPrintable(m_lastScores);
    // Talk before it does not matter when a real pause comes between.
    EXPECT_EQ(hear(joined({before, silence(0.8), phrase, silence(1)})),
              QStringList{"open my notes"})
        << qPrintable(m_lastScores);

    // The same words inside running speech: straight after other words, after no more than
    // the break between two words of a sentence, or just long enough for the speech to seem
    // to end before them; and with more words straight after.
    for (double gap : {0.0, 0.15, 0.28}) {
        EXPECT_EQ(hear(joined({silence(1), before, silence(gap), phrase, silence(1)})),
                  QStringList())
            << gap << " s after other words; decoded: " << qPrintable(m_lastScores);
    }
    EXPECT_EQ(hear(joined({silence(1), phrase, silence(0.05), after, silence(1)})), QStringList())
        << qPrintable(m_lastScores);
    EXPECT_EQ(
        hear(joined({silence(1), before, silence(0.2), phrase, silence(0.2), after, silence(1)})),
        QStringList())
        << qPrintable(m_lastScores);
}

TEST_F(RecognizerTest, APhraseIsAnsweredWhileOthersGoOnTalkingFarBehindIt)
{
    load(commands);
    m_recognizer->activate();
    const std::vector<int16_t> phrase = spokenSamples("open my notes");
    std::vector<int16_t> others;
    for (const char *text : {"the meeting has been moved to the afternoon",
                             "because half of the team is still travelling back",
                             "from the conference in the north of the country"})
        others = joined({others, spokenSamples(text, "en-gb-x-rp+f2", 190)});
    ASSERT_FALSE(phrase.empty() || others.empty());

    // Someone talks on without a break, 25 dB under the speaker, from the middle of the
    // phrase until well after it.
    const size_t start = AudioSource::sampleRate + phrase.size() / 2;
    std::vector<int16_t> room = joined({silence(1), phrase, silence(8)});
    for (size_t i = 0; i < others.size() && start + i < room.size(); ++i)
        room[start + i] = int16_t(room[start + i] + others[i] / 18);
    ASSERT_GT(others.size(), phrase.size() / 2 + size_t(AudioSource::sampleRate) * 2);

    // The phrase is heard within a second of its end, while the talk behind goes on.
    const size_t answered = AudioSource::sampleRate * 2 + phrase.size();
    EXPECT_EQ(hear(std::vector<int16_t>(room.begin(), room.begin() + qsizetype(answered))),
              QStringList{"open my notes"})
        << qPrintable(m_lastScores);
    EXPECT_EQ(hear(std::vector<int16_t>(room.begin() + qsizetype(answered), room.end())),
              QStringList())
        << qPrintable(m_lastScores);
}

TEST(RecognizerDebug, TellsWhyAPieceOfTalkWasDropped)
{
    QTemporaryDir dir;
    qputenv("QUILLET_RECO_DEBUG", "1");
    StderrCapture log(dir.filePath("stderr"));
    ASSERT_TRUE(log.isCapturing());
    {
        auto owned = std::make_unique<FileAudioSource>();
        FileAudioSource *source = owned.get();
        PocketSphinxRecognizer recognizer(std::move(owned));
        ASSERT_TRUE(recognizer.loadGrammar(writeGrammar(dir, commands)));
        recognizer.activate();
        // A command first, so that the recognizer has heard the speaker's level.
        source->enqueue(joined({silence(1), spokenSamples("scroll down"), silence(1),
                                spokenSamples("I was thinking about the weekend"), silence(0.3),
                                spokenSamples("open my notes"), silence(1)}));
        ASSERT_TRUE(source->waitUntilDrained(60s));
    }
    qunsetenv("QUILLET_RECO_DEBUG");
    const QByteArray text = log.text();
    EXPECT_TRUE(text.contains("\"open my notes\" rejected: a piece of longer talk"))
        << text.constData();
}

TEST_F(RecognizerTest, HearsEveryPhraseOfTheGrammarAsWritten)
{
    QStringList phrases = commands;
    // Lines without anything to say, and a second spelling of words already taken, must not
    // disturb the rest.
    phrases.insert(3, "===");
    phrases << "Stop, speak!";
    load(phrases);
    m_recognizer->activate();
    for (const QString &phrase : commands) {
        const QString said = phrase == "open folder 3"    ? "open folder three"
                             : phrase == "Run=Backup NOW" ? "Run, backup now"
                                                          : phrase;
        EXPECT_EQ(hear(said), QStringList{phrase})
            << "said: " << qPrintable(said) << "; decoded: " << qPrintable(m_lastScores);
    }
}

TEST_F(RecognizerTest, SpeechOutsideTheGrammarFiresNothing)
{
    load(commands);
    m_recognizer->activate();
    for (const QString sentence :
         {"I think it might rain later this afternoon", "Could you pass me the salt please",
          "The children are playing in the garden", "My brother bought a new bicycle last week",
          "Dinner will be ready in ten minutes"})
        EXPECT_EQ(hear(sentence), QStringList())
            << "said: " << qPrintable(sentence) << "; decoded: " << qPrintable(m_lastScores);
    // Still listening afterwards.
    EXPECT_EQ(hear("go to sleep"), QStringList{"go to sleep"});
}

TEST_F(RecognizerTest, DeactivateDropsAPhraseInFlightUntilTheNextActivate)
{
    load(commands);
    m_recognizer->deactivate();
    EXPECT_EQ(hear("stop speak"), QStringList()) << "heard before the first activate";

    m_recognizer->activate();
    play("copy that");
    // Decoded and on its way to the UI thread, but not delivered yet.
    m_recognizer->deactivate();
    m_recognizer->deactivate();
    EXPECT_EQ(deliver(), QStringList());
    EXPECT_EQ(hear("scroll down"), QStringList());

    m_recognizer->activate();
    EXPECT_EQ(hear("page up"), QStringList{"page up"});
    // The dispatcher's restart after a phrase.
    m_recognizer->deactivate();
    m_recognizer->activate();
    EXPECT_EQ(hear("close the window"), QStringList{"close the window"});
}

TEST_F(RecognizerTest, ReloadingReplacesTheGrammar)
{
    load({"open my notes", "good morning", "Zimbo listen"});
    m_recognizer->activate();
    EXPECT_EQ(hear("open my notes"), QStringList{"open my notes"});

    m_recognizer->deactivate();
    load({"close the window", "tell me a joke", "Zorblax listen"});
    m_recognizer->activate();
    // The old phrases are gone (whether something else is rejected is the rejection test's
    // business).
    EXPECT_FALSE(hear("open my notes").contains("open my notes"));
    EXPECT_FALSE(hear("Zimbo listen").contains("Zimbo listen"));
    EXPECT_EQ(hear("Zorblax listen"), QStringList{"Zorblax listen"});
    EXPECT_EQ(hear("tell me a joke"), QStringList{"tell me a joke"});

    // An unreadable file is refused and the grammar stays as it was.
    EXPECT_FALSE(m_recognizer->loadGrammar(m_dir.filePath("missing")));
    EXPECT_EQ(hear("close the window"), QStringList{"close the window"});
}

TEST(RecognizerDevice, MissingDeviceIsReportedOnceAndTriedAgain)
{
    QTemporaryDir dir;
    auto owned = std::make_unique<FileAudioSource>();
    FileAudioSource *source = owned.get();
    source->setAvailable(false);

    StderrCapture log(dir.filePath("stderr"));
    ASSERT_TRUE(log.isCapturing());
    {
        PocketSphinxRecognizer recognizer(std::move(owned));
        recognizer.setRetryInterval(20ms);
        QStringList heard;
        QObject::connect(&recognizer, &Recognizer::phraseFinished,
                         [&](const QString &phrase) { heard << phrase; });
        ASSERT_TRUE(recognizer.loadGrammar(writeGrammar(dir, commands)));
        recognizer.activate();
        for (int i = 0; i < 500 && source->openCount() < 4; ++i)
            std::this_thread::sleep_for(10ms);
        EXPECT_GE(source->openCount(), 4);

        source->setAvailable(true);
        ASSERT_TRUE(source->enqueue(spokenWav("good morning")));
        ASSERT_TRUE(source->waitUntilDrained(60s));
        QCoreApplication::processEvents();
        EXPECT_EQ(heard, QStringList{"good morning"});
    }
    const QByteArray text = log.text();
    EXPECT_EQ(text.count("cannot listen"), 1) << text.constData();
}

TEST(RecognizerDevice, ALostMicrophoneIsToldAndListenedToAgainWhenBack)
{
    QTemporaryDir dir;
    auto owned = std::make_unique<FileAudioSource>();
    FileAudioSource *source = owned.get();
    StderrCapture log(dir.filePath("stderr"));
    ASSERT_TRUE(log.isCapturing());
    QStringList heard;
    {
        PocketSphinxRecognizer recognizer(std::move(owned));
        recognizer.setRetryInterval(20ms);
        QObject::connect(&recognizer, &Recognizer::phraseFinished,
                         [&](const QString &phrase) { heard << phrase; });
        ASSERT_TRUE(recognizer.loadGrammar(writeGrammar(dir, commands)));
        recognizer.activate();
        ASSERT_TRUE(source->enqueue(spokenWav("good morning")));
        ASSERT_TRUE(source->waitUntilDrained(60s));

        // The sound server goes away for a while, as when it is restarted.
        source->setAvailable(false);
        for (int i = 0; i < 500 && source->openCount() < 3; ++i)
            std::this_thread::sleep_for(10ms);
        EXPECT_GE(source->openCount(), 3);
        source->setAvailable(true);

        ASSERT_TRUE(source->enqueue(spokenWav("thank you")));
        ASSERT_TRUE(source->waitUntilDrained(60s));
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(heard, (QStringList{"good morning", "thank you"}));
    const QByteArray text = log.text();
    EXPECT_EQ(text.count("lost the microphone"), 1) << text.constData();
    EXPECT_EQ(text.count("cannot listen"), 1) << text.constData();
    EXPECT_EQ(text.count("listening to the microphone again"), 1) << text.constData();
}
