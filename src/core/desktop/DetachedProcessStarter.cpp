#include "DetachedProcessStarter.h"

#include "CommandLine.h"
#include "ProgramFile.h"
#include "XdgShellOpener.h"

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

bool DetachedProcessStarter::start(const QString &commandLine, WindowState state)
{
    const auto resolved = resolve(commandLine);
    if (!resolved)
        return false;
    const QString file = fileOf(resolved->program);
    if (!file.isEmpty() && !ProgramFile::isProgram(file))
        return m_opener->open(file);

    QProcess process;
    process.setProgram(resolved->program);
    process.setArguments(resolved->arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUILLET_WINDOW_STATE"), windowStateName(state));
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    return !file.isEmpty() && m_opener->open(file);
}
