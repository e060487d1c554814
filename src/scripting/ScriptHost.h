#pragma once

#include "Engine.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class AppPaths;
class Dialogs;
class KeySender;
class ProcessStarter;
class ShellOpener;
class ShellRun;
class WindowActivator;

// Runs the Script and Plugin commands. A script file holds the body of one procedure; each
// run wraps it in "Sub Main" ... "End sub" in a reset engine, hands it the program's objects
// and reports any error in a message box.
class ScriptHost : public QObject {
    Q_OBJECT
public:
    struct NamedObject {
        std::string name;
        std::shared_ptr<vbs::HostObject> object;
    };

    // The desktop's services scripts reach through WScript.Shell.
    struct Desktop {
        KeySender &keys;
        ProcessStarter &starter;
        ShellOpener &opener;
        WindowActivator &windows;
    };

    ScriptHost(const AppPaths &paths, Dialogs &dialogs, Desktop desktop, QObject *parent = nullptr);
    ~ScriptHost() override;

    // The objects every script gets, with their members made global, in this order.
    void setObjects(std::vector<NamedObject> objects) { m_objects = std::move(objects); }

    // Returns when the script has finished or failed.
    void runScript(const QString &fileName);
    // Returns at once; a plugin that cannot be started fails silently.
    void startPlugin(const QString &path);

    // The text the engine was given on the last run.
    QString lastCode() const { return m_lastCode; }

    static QString unreadableMessage(const QString &fileName);
    static constexpr const char *kTitle = "Quillet";

private:
    void report(const vbs::ErrorInfo &error);
    bool readScript(const QString &fileName, QStringList *lines) const;

    const AppPaths &m_paths;
    Dialogs &m_dialogs;
    ProcessStarter &m_starter;
    std::unique_ptr<ShellRun> m_shellRun;
    std::unique_ptr<vbs::Engine> m_engine;
    std::vector<NamedObject> m_objects;
    QString m_lastCode;
};
