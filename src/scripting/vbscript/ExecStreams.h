#pragma once

#include "ChildProcess.h"
#include "HostObject.h"

#include <memory>

namespace vbs {

// StdOut or StdErr of a program started by Exec: a TextStream that reads as the program
// writes. Every read waits for what it needs: a line, so many characters, or the end.
class ExecReader : public HostObject {
public:
    ExecReader(std::shared_ptr<ChildProcess> process, ChildProcess::Stream stream)
        : m_process(std::move(process))
        , m_stream(stream)
    {}
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "TextStream"; }

private:
    // Waits for more text; false at the end of the stream.
    bool fill();
    // Waits until `count` characters are there or the stream has ended.
    void fillTo(size_t count);
    // The characters up to and with the next line break; the rest when there is none.
    size_t lineLength();
    std::u16string take(size_t count);

    std::shared_ptr<ChildProcess> m_process;
    ChildProcess::Stream m_stream;
    std::u16string m_text;
    size_t m_pos = 0;
    // The start of a character that has not arrived whole.
    std::string m_partial;
    bool m_ended = false;
    bool m_closed = false;
    int m_line = 1;
    int m_column = 1;
};

// StdIn of a program started by Exec: a TextStream that only writes.
class ExecWriter : public HostObject {
public:
    explicit ExecWriter(std::shared_ptr<ChildProcess> process)
        : m_process(std::move(process))
    {}
    bool hasMember(const std::string &name) const override;
    Value invoke(const std::string &name, std::vector<Value> &args) override;
    void setProperty(const std::string &name, std::vector<Value> &args,
                     const Value &value) override;
    std::string typeName() const override { return "TextStream"; }

private:
    void send(const std::string &bytes);

    std::shared_ptr<ChildProcess> m_process;
    bool m_closed = false;
    int m_line = 1;
    int m_column = 1;
};

} // namespace vbs
