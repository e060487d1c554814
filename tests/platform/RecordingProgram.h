#pragma once

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QThread>

// A shell script that writes its arguments, one a line, and the window state it was handed
// in the environment to a record file, which appears whole (written aside, then renamed).
// Each run appends its record to the file, so several starts can be told apart.
class RecordingProgram {
public:
    RecordingProgram(const QString &scriptPath, const QString &recordPath)
        : m_script(scriptPath)
        , m_record(recordPath)
    {
        QDir().mkpath(QFileInfo(scriptPath).absolutePath());
        QFile file(scriptPath);
        file.open(QIODevice::WriteOnly);
        file.write(QStringLiteral("#!/bin/sh\n"
                                  "record='%1'\n"
                                  "{ [ -f \"$record\" ] && cat \"$record\"\n"
                                  "  for a in \"$@\"; do printf 'arg:%s\\n' \"$a\"; done\n"
                                  "  printf 'state:%s\\n' \"$QUILLET_WINDOW_STATE\"\n"
                                  "  echo end; } > \"$record.part\"\n"
                                  "mv \"$record.part\" \"$record\"\n")
                       .arg(recordPath)
                       .toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    }

    QString path() const { return m_script; }

    // The records of the runs so far, waiting (generously) for the count asked for; each
    // record is its lines without the closing "end".
    QList<QStringList> waitForRuns(int runs, int timeoutMs = 10000) const
    {
        QElapsedTimer timer;
        timer.start();
        QList<QStringList> records;
        do {
            records = read();
            if (records.size() >= runs)
                break;
            QThread::msleep(20);
        } while (timer.elapsed() < timeoutMs);
        return records;
    }

    QList<QStringList> read() const
    {
        QFile file(m_record);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QList<QStringList> records;
        QStringList current;
        for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
            if (line == QLatin1String("end")) {
                records.append(current);
                current.clear();
            } else if (!line.isEmpty()) {
                current.append(line);
            }
        }
        return records;
    }

private:
    QString m_script;
    QString m_record;
};
