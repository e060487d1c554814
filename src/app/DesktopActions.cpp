#include "DesktopActions.h"

#include "KeySender.h"
#include "ScriptHost.h"
#include "SelectionReader.h"
#include "ShellOpener.h"

DesktopActions::DesktopActions(KeySender &keys, SelectionReader &selection, ShellOpener &opener,
                               ScriptHost &scripts)
    : m_keys(keys)
    , m_selection(selection)
    , m_opener(opener)
    , m_scripts(scripts)
{}

bool DesktopActions::typeKeys(const QString &keys)
{
    return m_keys.sendKeys(keys);
}

QString DesktopActions::readSelection()
{
    return m_selection.readSelection();
}

bool DesktopActions::open(const QString &target)
{
    return m_opener.open(target);
}

void DesktopActions::runScript(const QString &fileName)
{
    m_scripts.runScript(fileName);
}

void DesktopActions::startPlugin(const QString &path)
{
    m_scripts.startPlugin(path);
}
