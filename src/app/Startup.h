#pragma once

#include <QString>

class Program;

// The start-up of the character window, step by step. Any failure abandons the rest and
// shows the missing-character message; the caller then ends the program.
class Startup {
public:
    explicit Startup(Program &program);

    bool run();

    static QString missingCharacterMessage(const QString &name);
    // The character name a wake phrase holds before " listen"; empty when it does not end so.
    static QString nameInWakePhrase(const QString &wakePhrase);

private:
    bool loadCommandList();
    bool loadCharacter();
    void restoreOptions();
    void fail();

    Program &m_program;
};
