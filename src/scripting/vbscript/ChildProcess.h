#pragma once

#include <string>

namespace vbs {

// A program started by WScript.Shell's Exec, with its standard streams joined to pipes. The
// host starts it; the engine only reads, writes and asks. Every call may block, as the
// streams of the console host do.
class ChildProcess {
public:
    enum class Stream { Output, Error };

    virtual ~ChildProcess() = default;

    // Waits until more of the stream has arrived and appends it to bytes; false, with nothing
    // appended, once the program has closed the stream. The other stream is kept while
    // waiting, so a program that fills it cannot stall.
    virtual bool read(Stream stream, std::string &bytes) = 0;
    // False once the program no longer reads its input.
    virtual bool write(const std::string &bytes) = 0;
    virtual void closeInput() = 0;
    // Never waits.
    virtual bool running() = 0;
    // 0 while running; a program ended by a signal gives 128 plus the signal.
    virtual int exitCode() = 0;
    virtual int processId() const = 0;
    virtual void terminate() = 0;
};

} // namespace vbs
