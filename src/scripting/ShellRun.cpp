#include "ShellRun.h"

#include "CommandLine.h"
#include "DetachedProcessStarter.h"
#include "HostObject.h"
#include "ProcessStarter.h"
#include "ProgramFile.h"
#include "ShellOpener.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// 0 hidden, 1 normal, 2 minimized, 3 maximized, others normal.
WindowState windowStateOf(int style)
{
    switch (style) {
    case 2:
    case 6:
    case 7:
        return WindowState::MinimizedActive;
    case 3:
        return WindowState::MaximizedActive;
    default:
        return WindowState::NormalNoActivate;
    }
}

[[noreturn]] void notFound()
{
    throw vbs::ScriptError{-2147024894, "The system cannot find the file specified."};
}

bool exists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

} // namespace

bool ShellRun::isProgram(const QString &program)
{
    if (program.contains(QLatin1Char('/')))
        return ProgramFile::isProgram(program);
    return !QStandardPaths::findExecutable(program).isEmpty();
}

QString ShellRun::openable(const QString &line)
{
    if (exists(line))
        return line;
    const auto words = CommandLine::split(line);
    if (words && !words->isEmpty() && exists(words->first()))
        return words->first();
    // scheme:rest with a scheme of two letters or more, so that nothing like C:\x counts.
    static const QRegularExpression address(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:\\S+$"));
    if (address.match(line).hasMatch())
        return line;
    return {};
}

int ShellRun::open(const QString &target)
{
    if (!m_opener.open(target))
        notFound();
    return 0;
}

int ShellRun::run(const QString &commandLine, int windowStyle, bool wait)
{
    const QString line = commandLine.trimmed();
    const auto resolved = DetachedProcessStarter::resolve(line);
    const WindowState state = windowStateOf(windowStyle);
    if (resolved && isProgram(resolved->program)) {
        const bool byPath = resolved->program.contains(QLatin1Char('/'));
        if (wait) {
            if (const std::optional<int> code = m_starter.startAndWait(line, state))
                return *code;
        } else if (m_starter.start(line, state)) {
            return 0;
        }
        // A program file that will not start (a missing interpreter, a binary for another
        // machine) is still a file the desktop may know what to do with.
        if (byPath)
            return open(resolved->program);
        notFound();
    }
    const QString target = openable(line);
    if (target.isEmpty())
        notFound();
    return open(target);
}
