// Feeds the pipe microphone FIFO with silence, and with each line read from standard input
// said by espeak-ng; ends once standard input ends and everything is said.
//   quillet_say_into_mic FIFO <lines
#include "MicrophoneFeeder.h"

#include <QCoreApplication>
#include <QThread>

#include <iostream>
#include <string>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    MicrophoneFeeder feeder(QString::fromLocal8Bit(argv[1]));
    if (!feeder.isOpen())
        return 1;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty())
            feeder.say(QString::fromStdString(line));
    }
    while (!feeder.idle())
        QThread::msleep(50);
    return 0;
}
