#pragma once

#include "CommandActions.h"

class KeySender;
class ScriptHost;
class SelectionReader;
class ShellOpener;

// Carries out commands on the desktop: keys through the key sender, the selection through the
// clipboard, opening through the shell, scripts and plugins through the script host.
class DesktopActions : public CommandActions {
public:
    DesktopActions(KeySender &keys, SelectionReader &selection, ShellOpener &opener,
                   ScriptHost &scripts);

    bool typeKeys(const QString &keys) override;
    QString readSelection() override;
    bool open(const QString &target) override;
    void runScript(const QString &fileName) override;
    void startPlugin(const QString &path) override;

private:
    KeySender &m_keys;
    SelectionReader &m_selection;
    ShellOpener &m_opener;
    ScriptHost &m_scripts;
};
