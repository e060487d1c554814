// Console runner: runs a script file's module-level code, WScript.Echo to stdout and errors
// to stderr as "line N: description".
#include "Engine.h"
#include "Objects.h"
#include "PosixChildProcess.h"
#include "QuilletVersion.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace {

std::vector<std::string> splitWords(const std::string &cmd)
{
    std::vector<std::string> words;
    std::string cur;
    bool quoted = false, any = false;
    for (char c : cmd) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (any || !cur.empty())
                words.push_back(cur);
            cur.clear();
            any = false;
        } else {
            cur.push_back(c);
        }
    }
    if (any || !cur.empty())
        words.push_back(cur);
    return words;
}

// What Windows reports for a program it cannot find.
[[noreturn]] void programNotFound()
{
    throw vbs::ScriptError{-2147024894, "The system cannot find the file specified."};
}

// The console has no desktop to hand documents to; Run starts programs only.
int runCommand(const std::string &command, int, bool wait)
{
    std::vector<std::string> words = splitWords(command);
    if (words.empty() || words[0].empty())
        programNotFound();
    std::vector<char *> argv;
    for (auto &w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid;
    const vbs::DefaultSignals signals;
    if (posix_spawnp(&pid, argv[0], nullptr, signals.attributes(), argv.data(), environ) != 0)
        programNotFound();
    int status = 0;
    if (!wait) {
        // Reaped on the side, so that a long script leaves no dead programs behind.
        std::thread([pid] {
            int ended;
            while (waitpid(pid, &ended, 0) < 0 && errno == EINTR) {
            }
        }).detach();
        return 0;
    }
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::unique_ptr<vbs::ChildProcess> execCommand(const std::string &command)
{
    auto process = vbs::PosixChildProcess::start(splitWords(command));
    if (!process)
        programNotFound();
    return process;
}

const char kHelp[] =
    "Usage: vbsrun [--error-numbers] FILE\n"
    "       vbsrun --help | --version\n"
    "\n"
    "Runs a VBScript file with Quillet's script engine, on the console: WScript.Echo and\n"
    "MsgBox print their text, InputBox reads a line from standard input, and WScript.Shell's\n"
    "Run and Exec start programs. SendKeys is not offered: a console has no window for keys.\n"
    "An error stops the script with its line and description on standard error.\n"
    "\n"
    "Options:\n"
    "  --error-numbers  put the error's number before its description\n"
    "  --help           print this help and exit\n"
    "  --version        print the version and exit\n"
    "\n"
    "Exit status: the script's WScript.Quit code, 0 when it ends, 1 after a script error,\n"
    "2 when FILE cannot be read. See vbsrun(1) for more.\n";

} // namespace

int main(int argc, char **argv)
{
    // The program's windowing library takes the user's locale for the whole C library; the
    // runner does the same, so that scripts run here as they run there.
    std::setlocale(LC_ALL, "");
    if (argc == 2 && std::string(argv[1]) == "--help") {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::printf("vbsrun %s\n", QUILLET_VERSION);
        return 0;
    }
    // --error-numbers adds the error number to the message, for the engine's tests.
    bool numbers = argc > 2 && std::string(argv[1]) == "--error-numbers";
    if (numbers) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: vbsrun [--error-numbers] FILE (vbsrun --help tells more)\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "vbsrun: cannot read %s\n", argv[1]);
        return 2;
    }
    std::stringstream ss;
    ss << in.rdbuf();

    vbs::HostServices services;
    services.echo = [](const std::string &text) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        std::fputc('\n', stdout);
    };
    services.msgBox = [](const std::string &prompt, int, const std::string &) {
        std::fwrite(prompt.data(), 1, prompt.size(), stdout);
        std::fputc('\n', stdout);
        return 1;
    };
    services.inputBox = [](const std::string &prompt, const std::string &, const std::string &def,
                           std::string &out) {
        std::fflush(stdout);
        if (!std::getline(std::cin, out)) {
            out = def;
            return !def.empty();
        }
        if (!out.empty() && out.back() == '\r')
            out.pop_back();
        (void)prompt;
        return true;
    };
    services.run = runCommand;
    services.exec = execCommand;
    // SendKeys is left out: a console has no window to send keys to.

    vbs::Engine engine(services);
    auto wscript = std::make_shared<vbs::WScriptObject>(services, argv[1]);
    engine.addObject("WScript", wscript, false);
    try {
        if (engine.runModule(ss.str()))
            return 0;
    } catch (const vbs::QuitRequest &q) {
        std::fflush(stdout);
        return q.code;
    }
    std::fflush(stdout);
    const vbs::ErrorInfo &e = engine.lastError();
    if (numbers)
        std::fprintf(stderr, "error %d line %d: %s\n", e.number, e.line, e.description.c_str());
    else
        std::fprintf(stderr, "line %d: %s\n", e.line, e.description.c_str());
    return 1;
}
