// Starts a program and reports when its windows reach the desktop and how much memory it holds
// later on: the figures bench/startup.sh prints.
//   quillet_startup_probe RSS_SECONDS PROGRAM [ARGS...]
// Prints "first_window_ms: N" (any window of the program mapped), "character_ms: N" (a mapped
// window of it with a cut-out shape that is not the bubble) and "rss_kb: N" (resident memory
// RSS_SECONDS after the start), then ends the program.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

struct Found {
    bool anyWindow = false;
    bool character = false;
};

long windowPid(Display *display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1 && format == 32)
        pid = *reinterpret_cast<long *>(data);
    if (data)
        XFree(data);
    return pid;
}

bool isBubble(Display *display, Window window)
{
    char *name = nullptr;
    const bool bubble =
        XFetchName(display, window, &name) && name && std::strcmp(name, "Bubble") == 0;
    if (name)
        XFree(name);
    return bubble;
}

// The window manager puts each client window into a frame of its own, so the program's
// windows are found two levels below the root.
void scan(Display *display, Window window, int depth, long pid, Atom pidAtom, Found *found)
{
    if (windowPid(display, window, pidAtom) == pid) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, window, &attributes) &&
            attributes.map_state == IsViewable) {
            found->anyWindow = true;
            Bool boundingShaped = False, clipShaped = False;
            int x, y, cx, cy;
            unsigned int w, h, cw, ch;
            if (XShapeQueryExtents(display, window, &boundingShaped, &x, &y, &w, &h, &clipShaped,
                                   &cx, &cy, &cw, &ch) &&
                boundingShaped && !isBubble(display, window))
                found->character = true;
        }
    }
    if (depth == 0)
        return;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return;
    for (unsigned int i = 0; i < count; ++i)
        scan(display, children[i], depth - 1, pid, pidAtom, found);
    if (children)
        XFree(children);
}

// A window can go away between the listing and the look at it.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RSS_SECONDS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const double rssSeconds = std::atof(argv[1]);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup probe: no X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreErrors);
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);

    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        std::fprintf(stderr, "startup probe: cannot run %s: %s\n", argv[2], std::strerror(errno));
        _exit(127);
    }

    double firstWindow = -1, character = -1;
    // Looked for every 2 ms for at most 20 s.
    while (character < 0 && nowMs() - start < 20000) {
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "startup probe: the program ended before its window showed\n");
            return 1;
        }
        Found found;
        scan(display, DefaultRootWindow(display), 2, child, pidAtom, &found);
        const double t = nowMs() - start;
        if (found.anyWindow && firstWindow < 0)
            firstWindow = t;
        if (found.character)
            character = t;
        else
            usleep(2000);
    }
    int status = 0;
    if (character < 0) {
        std::fprintf(stderr, "startup probe: no character window within 20 s\n");
        kill(child, SIGTERM);
        waitpid(child, &status, 0);
        return 1;
    }
    const double rssAt = start + rssSeconds * 1000;
    while (nowMs() < rssAt)
        usleep(static_cast<useconds_t>(std::min(100.0, rssAt - nowMs()) * 1000));
    const long rss = residentKb(child);
    kill(child, SIGTERM);
    waitpid(child, &status, 0);
    std::printf("first_window_ms: %.0f\ncharacter_ms: %.0f\nrss_kb: %ld\n", firstWindow, character,
                rss);
    return 0;
}
