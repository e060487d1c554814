#pragma once

#include "CommandActions.h"

#include <QStringList>

#include <functional>

// Records what it was asked to do, as "type <keys>", "read", "open <target>",
// "script <file>" and "plugin <path>".
class FakeCommandActions : public CommandActions {
public:
    bool typeKeys(const QString &keys) override
    {
        calls << "type " + keys;
        return !keys.contains(QStringLiteral("{BAD"));
    }
    QString readSelection() override
    {
        calls << QStringLiteral("read");
        return selection;
    }
    bool open(const QString &target) override
    {
        calls << "open " + target;
        return true;
    }
    void runScript(const QString &fileName) override
    {
        calls << "script " + fileName;
        if (onScript)
            onScript();
    }
    void startPlugin(const QString &path) override { calls << "plugin " + path; }

    QStringList calls;
    QString selection;
    std::function<void()> onScript;
};
