#include "XTestKeySender.h"

#include "KeySyms.h"
#include "SendKeysParser.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QThread>
#include <QTimer>

// Xlib's macros (None, Bool, KeyPress...) clash with Qt names, so it comes last.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

// One key event ready to be faked.
struct KeyEvent {
    KeyCode keycode;
    bool press;
};

// A snapshot of the core keyboard map.
class KeyboardMap {
public:
    explicit KeyboardMap(Display *display)
    {
        XDisplayKeycodes(display, &m_min, &m_max);
        m_syms = XGetKeyboardMapping(display, KeyCode(m_min), m_max - m_min + 1, &m_perCode);
    }
    ~KeyboardMap()
    {
        if (m_syms)
            XFree(m_syms);
    }
    KeyboardMap(const KeyboardMap &) = delete;
    KeyboardMap &operator=(const KeyboardMap &) = delete;

    bool valid() const { return m_syms != nullptr; }

    KeySym at(int keycode, int level) const
    {
        if (level >= m_perCode)
            return NoSymbol;
        return m_syms[(keycode - m_min) * m_perCode + level];
    }

    // The keycode typing sym unshifted, else shifted; only the first group's two plain
    // levels count, other levels would need modifiers that differ between layouts.
    bool find(KeySym sym, KeyCode *keycode, bool *shift) const
    {
        for (int level = 0; level < 2; ++level) {
            for (int code = m_min; code <= m_max; ++code) {
                if (at(code, level) == sym) {
                    *keycode = KeyCode(code);
                    *shift = level == 1;
                    return true;
                }
            }
        }
        return false;
    }

    bool isEmpty(int keycode) const
    {
        for (int level = 0; level < m_perCode; ++level) {
            if (at(keycode, level) != NoSymbol)
                return false;
        }
        return true;
    }

    int minKeycode() const { return m_min; }
    int maxKeycode() const { return m_max; }

private:
    int m_min = 8;
    int m_max = 255;
    int m_perCode = 0;
    KeySym *m_syms = nullptr;
};

// Xlib's default error handler ends the process. An error on a connection of ours (a keycode
// that another client changed meanwhile, say) must cost at most a key, so those are dropped;
// errors on anybody else's connections go to the handler that was there before.
QSet<Display *> &ownDisplays()
{
    static QSet<Display *> displays;
    return displays;
}

XErrorHandler previousErrorHandler = nullptr;
bool errorHandlerInstalled = false;

int dropOwnErrors(Display *display, XErrorEvent *event)
{
    if (ownDisplays().contains(display))
        return 0;
    return previousErrorHandler ? previousErrorHandler(display, event) : 0;
}

} // namespace

struct XTestKeySender::Private {
    Display *display = nullptr;
    QTimer restoreTimer;
    // Long enough for a window to handle a few hundred keys typed before its map changes.
    int relendPauseMs = 150;
    // Keycodes lent to characters the map lacks, least recently used first.
    struct Borrowed {
        KeyCode keycode;
        KeySym lower;
        KeySym upper;
    };
    QList<Borrowed> borrowed;

    bool isLent(KeyCode keycode) const
    {
        for (const Borrowed &lent : borrowed) {
            if (lent.keycode == keycode)
                return true;
        }
        return false;
    }

    bool open(QString *error);
    void restoreBorrowed();
    bool borrowKeycode(const KeyboardMap &map, KeySym sym, const QSet<KeyCode> &inUse,
                       KeyCode *keycode, bool *shift);
    static KeySym keySymOf(const KeyStroke &stroke);
    bool check(const KeyboardMap &map, const QList<KeyStroke> &strokes, QString *error);
    bool resolve(const KeyboardMap &map, const KeyStroke &stroke, QSet<KeyCode> &inUse,
                 QList<KeyEvent> &events);
    void send(const QList<KeyEvent> &events);

    QList<std::pair<KeyModifier, KeyCode>> modifierKeys;
};

bool XTestKeySender::Private::open(QString *error)
{
    if (display)
        return true;
    const QString name = qEnvironmentVariable("DISPLAY");
    display = XOpenDisplay(nullptr);
    if (!display) {
        if (error)
            *error = name.isEmpty()
                         ? QStringLiteral("Cannot type keys: there is no X display (DISPLAY "
                                          "is not set)")
                         : QStringLiteral("Cannot type keys: the X display \"%1\" cannot be "
                                          "opened")
                               .arg(name);
        return false;
    }
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor)) {
        XCloseDisplay(display);
        display = nullptr;
        if (error)
            *error = QStringLiteral("Cannot type keys: the X display \"%1\" has no XTEST "
                                    "extension")
                         .arg(name);
        return false;
    }
    ownDisplays().insert(display);
    if (!errorHandlerInstalled) {
        previousErrorHandler = XSetErrorHandler(dropOwnErrors);
        errorHandlerInstalled = true;
    }
    return true;
}

void XTestKeySender::Private::restoreBorrowed()
{
    if (!display || borrowed.isEmpty())
        return;
    for (const Borrowed &lent : std::as_const(borrowed)) {
        KeySym empty[] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(display, lent.keycode, 2, empty, 1);
    }
    borrowed.clear();
    XFlush(display);
}

bool XTestKeySender::Private::borrowKeycode(const KeyboardMap &map, KeySym sym,
                                            const QSet<KeyCode> &inUse, KeyCode *keycode,
                                            bool *shift)
{
    for (int i = 0; i < borrowed.size(); ++i) {
        const Borrowed &lent = borrowed.at(i);
        if (lent.lower == sym || lent.upper == sym) {
            *keycode = lent.keycode;
            *shift = lent.lower != sym;
            borrowed.move(i, borrowed.size() - 1);
            return true;
        }
    }
    QSet<KeyCode> lentCodes;
    for (const Borrowed &lent : std::as_const(borrowed))
        lentCodes.insert(lent.keycode);
    // Spare keycodes from the top end, where layouts keep nothing of their own.
    int spare = 0;
    for (int code = map.maxKeycode(); code >= map.minKeycode() && !spare; --code) {
        if (map.isEmpty(code) && !lentCodes.contains(KeyCode(code)))
            spare = code;
    }
    if (!spare) {
        // Take back the keycode used longest ago, unless keys on their way still need it.
        for (int i = 0; i < borrowed.size() && !spare; ++i) {
            if (!inUse.contains(borrowed.at(i).keycode)) {
                spare = borrowed.at(i).keycode;
                borrowed.removeAt(i);
            }
        }
    }
    if (!spare)
        return false;
    // Both letter cases on the one keycode, so that Shift with it gives the capital as it
    // would on a keyboard that has the letter.
    KeySym lower = sym, upper = sym;
    XConvertCase(sym, &lower, &upper);
    KeySym syms[] = {lower, upper};
    XChangeKeyboardMapping(display, spare, 2, syms, 1);
    borrowed.append({KeyCode(spare), lower, upper});
    *keycode = KeyCode(spare);
    *shift = lower != sym;
    return true;
}

KeySym XTestKeySender::Private::keySymOf(const KeyStroke &stroke)
{
    return KeySym(KeySyms::forStroke(stroke));
}

bool XTestKeySender::Private::check(const KeyboardMap &map, const QList<KeyStroke> &strokes,
                                    QString *error)
{
    const std::pair<KeyModifier, KeySym> modifierSyms[] = {
        {KeyModifier::Shift, XK_Shift_L},
        {KeyModifier::Control, XK_Control_L},
        {KeyModifier::Alt, XK_Alt_L},
    };
    modifierKeys.clear();
    for (const auto &[modifier, sym] : modifierSyms)
        modifierKeys.append({modifier, XKeysymToKeycode(display, sym)});

    bool needsLoan = false;
    for (const KeyStroke &stroke : strokes) {
        const KeySym sym = keySymOf(stroke);
        if (sym == NoSymbol) {
            if (error)
                *error = QStringLiteral("Cannot type the control character U+%1")
                             .arg(uint(stroke.character), 4, 16, QLatin1Char('0'));
            return false;
        }
        for (int i = 0; i < modifierKeys.size(); ++i) {
            // Shift is needed for half of all characters, so it must be there in any case.
            const bool needed = i == 0 || (stroke.modifiers & modifierKeys.at(i).first);
            if (needed && !modifierKeys.at(i).second) {
                if (error)
                    *error = QStringLiteral("Cannot type keys: the keyboard map has no %1 key")
                                 .arg(QString::fromLatin1(XKeysymToString(modifierSyms[i].second)));
                return false;
            }
        }
        KeyCode keycode = 0;
        bool shift = false;
        if (!map.find(sym, &keycode, &shift))
            needsLoan = true;
    }
    if (needsLoan && borrowed.isEmpty()) {
        bool spare = false;
        for (int code = map.minKeycode(); code <= map.maxKeycode() && !spare; ++code)
            spare = map.isEmpty(code);
        if (!spare) {
            if (error)
                *error = QStringLiteral("Cannot type keys: a character is missing from the "
                                        "keyboard map, and the map has no free keycode to lend it");
            return false;
        }
    }
    return true;
}

bool XTestKeySender::Private::resolve(const KeyboardMap &map, const KeyStroke &stroke,
                                      QSet<KeyCode> &inUse, QList<KeyEvent> &events)
{
    const KeySym sym = keySymOf(stroke);
    // The snapshot of the map may be older than keycodes lent during this very call, so
    // lent keycodes are looked up in the list of loans, not in the snapshot.
    KeyCode keycode = 0;
    bool needsShift = false;
    if (!map.find(sym, &keycode, &needsShift) || isLent(keycode)) {
        if (!borrowKeycode(map, sym, inUse, &keycode, &needsShift))
            return false;
    }
    inUse.insert(keycode);

    KeyModifiers modifiers = stroke.modifiers;
    if (needsShift)
        modifiers |= KeyModifier::Shift;
    QList<KeyCode> held;
    for (const auto &[modifier, code] : std::as_const(modifierKeys)) {
        if (modifiers & modifier)
            held.append(code);
    }
    for (KeyCode code : std::as_const(held))
        events.append({code, true});
    events.append({keycode, true});
    events.append({keycode, false});
    for (auto it = held.crbegin(); it != held.crend(); ++it)
        events.append({*it, false});
    return true;
}

void XTestKeySender::Private::send(const QList<KeyEvent> &events)
{
    for (const KeyEvent &event : events)
        XTestFakeKeyEvent(display, event.keycode, event.press ? True : False, CurrentTime);
}

XTestKeySender::XTestKeySender(QObject *parent)
    : QObject(parent)
    , d(std::make_unique<Private>())
{
    d->restoreTimer.setSingleShot(true);
    d->restoreTimer.setInterval(1000);
    connect(&d->restoreTimer, &QTimer::timeout, this, [this] { d->restoreBorrowed(); });
}

XTestKeySender::~XTestKeySender()
{
    if (d->display) {
        d->restoreBorrowed();
        ownDisplays().remove(d->display);
        XCloseDisplay(d->display);
    }
}

void XTestKeySender::setRestoreDelay(int milliseconds)
{
    d->restoreTimer.setInterval(milliseconds);
}

void XTestKeySender::setRelendPause(int milliseconds)
{
    d->relendPauseMs = milliseconds;
}

int XTestKeySender::borrowedKeycodes() const
{
    return d->borrowed.size();
}

bool XTestKeySender::sendKeys(const QString &keys, QString *error)
{
    const auto strokes = SendKeysParser::parse(keys, error);
    if (!strokes)
        return false;
    if (!d->open(error))
        return false;

    const KeyboardMap map(d->display);
    if (!map.valid()) {
        if (error)
            *error = QStringLiteral("Cannot type keys: the keyboard map cannot be read");
        return false;
    }
    // Everything that could stop the string is checked before the first key goes out, so
    // that a bad string is never half typed.
    if (!d->check(map, *strokes, error))
        return false;

    QList<KeyEvent> events;
    QSet<KeyCode> inUse;
    for (const KeyStroke &stroke : *strokes) {
        if (d->resolve(map, stroke, inUse, events))
            continue;
        // More different missing characters than free keycodes: the keys so far go out,
        // and their keycodes are lent anew only after a pause in which the receiving
        // window can handle them with the map they were typed with.
        d->send(events);
        XSync(d->display, False);
        QThread::msleep(d->relendPauseMs);
        events.clear();
        inUse.clear();
        d->resolve(map, stroke, inUse, events);
    }
    d->send(events);
    XFlush(d->display);
    if (!d->borrowed.isEmpty())
        d->restoreTimer.start();
    return true;
}
