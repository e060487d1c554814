#include "DetachedProcessStarter.h"

#include "CommandLine.h"
#include "ProgramFile.h"
#include "XdgShellOpener.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace {

bool namesFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool namesProgram(const QString &word)
{
    if (word.contains(QLatin1Char('/')))
        return namesFile(word);
    return !QStandardPaths::findExecutable(word).isEmpty();
}

// The file a resolved program is started from when it is named by its path rather than
// found on PATH; empty otherwise.
QString fileOf(const QString &program)
{
    if (!program.contains(QLatin1Char('/')) && !QStandardPaths::findExecutable(program).isEmpty())
        return {};
    return namesFile(program) ? program : QString();
}

} // namespace

DetachedProcessStarter::DetachedProcessStarter(std::unique_ptr<ShellOpener> opener)
    : m_opener(opener ? std::move(opener) : std::make_unique<XdgShellOpener>())
{}

DetachedProcessStarter::~DetachedProcessStarter() = default;

QString DetachedProcessStarter::windowStateName(WindowState state)
{
    switch (state) {
    case WindowState::NormalNoActivate:
        return QStringLiteral("normal-no-activate");
    case WindowState::MinimizedActive:
        return QStringLiteral("minimized");
    case WindowState::MaximizedActive:
        return QStringLiteral("maximized");
    }
    return {};
}

std::optional<DetachedProcessStarter::Resolved>
DetachedProcessStarter::resolve(const QString &commandLine)
{
    const QString line = commandLine.trimmed();
    if (line.isEmpty())
        return std::nullopt;
    if (namesFile(line))
        return Resolved{line, {}};

    const auto words = CommandLine::split(line);
    if (words && !words->isEmpty() && namesProgram(words->first()))
        return Resolved{words->first(), words->mid(1)};

    // An unquoted path with blanks followed by arguments.
    for (int blank = line.lastIndexOf(QLatin1Char(' ')); blank > 0;
         blank = line.lastIndexOf(QLatin1Char(' '), blank - 1)) {
        const QString program = line.left(blank).trimmed();
        if (!namesFile(program))
            continue;
        const auto arguments = CommandLine::split(line.mid(blank + 1));
        if (arguments)
            return Resolved{program, *arguments};
    }
    if (words && !words->isEmpty())
        return Resolved{words->first(), words->mid(1)};
    return std::nullopt;
}

namespace {

void prepare(QProcess &process, const DetachedProcessStarter::Resolved &resolved, WindowState state)
{
    process.setProgram(resolved.program);
    process.setArguments(resolved.arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUILLET_WINDOW_STATE"),
                       DetachedProcessStarter::windowStateName(state));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
}

} // namespace

bool DetachedProcessStarter::start(const QString &commandLine, WindowState state)
{
    const auto resolved = resolve(commandLine);
    if (!resolved)
        return false;
    const QString file = fileOf(resolved->program);
    if (!file.isEmpty() && !ProgramFile::isProgram(file))
        return m_opener->open(file);

    QProcess process;
    prepare(process, *resolved, state);
    if (process.startDetached())
        return true;
    return !file.isEmpty() && m_opener->open(file);
}

std::optional<int> DetachedProcessStarter::startAndWait(const QString &commandLine,
                                                        WindowState state)
{
    const auto resolved = resolve(commandLine);
    if (!resolved)
        return std::nullopt;
    const QString file = fileOf(resolved->program);
    if (!file.isEmpty() && !ProgramFile::isProgram(file))
        return std::nullopt;

    QProcess process;
    prepare(process, *resolved, state);
    // What the program writes goes where the program's own output goes, as with start().
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QEventLoop loop;
    bool failed = false;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            failed = true;
            loop.quit();
        }
    });
    process.start();
    if (!failed && process.state() != QProcess::NotRunning)
        loop.exec();
    if (failed || process.error() == QProcess::FailedToStart)
        return std::nullopt;
    if (process.exitStatus() == QProcess::CrashExit)
        return 128 + process.exitCode();
    return process.exitCode();
}
