#pragma once

#include <QObject>

// The program's object graph, made once: the four windows and what each of them uses.
class Program : public QObject {
    Q_OBJECT
public:
    Program();
    ~Program() override;

    // Runs the start-up; false when it failed and the program must end.
    bool start();
};
