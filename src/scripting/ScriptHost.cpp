#include "ScriptHost.h"

#include "AppPaths.h"
#include "CommandLine.h"
#include "Dialogs.h"
#include "KeySender.h"
#include "PosixChildProcess.h"
#include "ProcessSnapshot.h"
#include "ProcessStarter.h"
#include "ScriptName.h"
#include "ShellRun.h"
#include "TextFile.h"
#include "WindowActivator.h"

#include <QCoreApplication>
#include <QFileInfo>

ScriptHost::ScriptHost(const AppPaths &paths, Dialogs &dialogs, Desktop desktop, QObject *parent)
    : QObject(parent)
    , m_paths(paths)
    , m_dialogs(dialogs)
    , m_starter(desktop.starter)
    , m_shellRun(std::make_unique<ShellRun>(desktop.opener, desktop.starter))
{
    vbs::HostServices services;
    services.msgBox = [this](const std::string &prompt, int buttons, const std::string &title) {
        return m_dialogs.ask(title.empty() ? QString::fromLatin1(kTitle)
                                           : QString::fromStdString(title),
                             QString::fromStdString(prompt), buttons);
    };
    services.inputBox = [this](const std::string &prompt, const std::string &title,
                               const std::string &def, std::string &out) {
        bool ok = false;
        const QString text = m_dialogs.input(
            title.empty() ? QString::fromLatin1(kTitle) : QString::fromStdString(title),
            QString::fromStdString(prompt), QString::fromStdString(def), &ok);
        out = text.toStdString();
        return ok;
    };
    services.run = [this](const std::string &command, int style, bool wait) {
        return m_shellRun->run(QString::fromStdString(command), style, wait);
    };
    services.exec = [](const std::string &command) -> std::unique_ptr<vbs::ChildProcess> {
        std::vector<std::string> words;
        if (const auto split = CommandLine::split(QString::fromStdString(command)))
            for (const QString &word : *split)
                words.push_back(word.toStdString());
        // The program's windows are drawn and answer while the script waits on the program,
        // as they do while it speaks.
        auto process =
            vbs::PosixChildProcess::start(words, [] { QCoreApplication::processEvents(); });
        if (!process)
            throw vbs::ScriptError{-2147024894, "The system cannot find the file specified."};
        return process;
    };
    WindowActivator *windows = &desktop.windows;
    services.appActivate = [windows](const std::string &title, int processId) {
        return processId != 0 ? windows->activateProcess(processId)
                              : windows->activate(QString::fromStdString(title));
    };
    KeySender *sender = &desktop.keys;
    services.sendKeys = [sender](const std::string &keys) {
        QString error;
        if (!sender->sendKeys(QString::fromStdString(keys), &error))
            throw vbs::ScriptError{5, "Invalid procedure call or argument"};
    };
    m_engine = std::make_unique<vbs::Engine>(std::move(services));
}

ScriptHost::~ScriptHost() = default;

QString ScriptHost::unreadableMessage(const QString &fileName)
{
    return QStringLiteral("The script file \"") + fileName +
           QStringLiteral("\" could not be read.");
}

bool ScriptHost::readScript(const QString &fileName, QStringList *lines) const
{
    // Only a file of the data folder itself may run, whatever a hand-edited list says.
    if (!ScriptName::isUsable(fileName))
        return false;
    const QString path = m_paths.scriptPath(fileName);
    if (!QFileInfo(path).isFile())
        return false;
    return TextFile::readLines(path, lines);
}

void ScriptHost::runScript(const QString &fileName)
{
    QStringList lines;
    if (!readScript(fileName, &lines)) {
        m_dialogs.message(QString::fromLatin1(kTitle), unreadableMessage(fileName));
        return;
    }

    m_engine->reset();
    for (const NamedObject &named : m_objects)
        m_engine->addObject(named.name, named.object, true);

    QString code = QStringLiteral("Sub Main\r\n");
    for (const QString &line : lines)
        code += line + QStringLiteral("\r\n");
    code += QStringLiteral("End sub\r\n");
    m_lastCode = code;

    const ProcessSnapshot before;
    const bool ran = m_engine->addCode(code.toStdString()) && m_engine->run("Main");
    before.restore();
    if (!ran)
        report(m_engine->lastError());
}

void ScriptHost::report(const vbs::ErrorInfo &error)
{
    QString text = QString::fromStdString(error.description);
    // Lines are counted in the script file, which starts after the "Sub Main" line.
    if (error.line > 1)
        text += QStringLiteral("\n\nLine %1 of the script.").arg(error.line - 1);
    m_dialogs.message(QString::fromLatin1(kTitle), text);
}

void ScriptHost::startPlugin(const QString &path)
{
    m_starter.start(path, WindowState::NormalNoActivate);
}
