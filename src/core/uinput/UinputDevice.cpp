#include "UinputDevice.h"

#include <QFile>
#include <QThread>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// Long enough for libinput-based desktops to open a device they were told of.
constexpr qint64 kSettleMs = 400;

QString reason(const QString &what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

UinputDevice::UinputDevice(int fd)
    : m_fd(fd)
{
    m_age.start();
}

UinputDevice::~UinputDevice()
{
    ioctl(m_fd, UI_DEV_DESTROY);
    ::close(m_fd);
}

std::unique_ptr<UinputDevice> UinputDevice::create(const QString &path, QString *why)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (why)
            *why = reason(QStringLiteral("%1 cannot be opened for writing").arg(path));
        return nullptr;
    }
    bool ok = ioctl(fd, UI_SET_EVBIT, EV_KEY) == 0 && ioctl(fd, UI_SET_EVBIT, EV_SYN) == 0;
    for (int code = KEY_ESC; ok && code <= KEY_MICMUTE; ++code)
        ok = ioctl(fd, UI_SET_KEYBIT, code) == 0;
    uinput_setup setup{};
    setup.id.bustype = BUS_VIRTUAL;
    setup.id.vendor = 0x5157; // "QW"
    setup.id.product = 0x0001;
    std::strncpy(setup.name, "Quillet keyboard", UINPUT_MAX_NAME_SIZE - 1);
    ok = ok && ioctl(fd, UI_DEV_SETUP, &setup) == 0 && ioctl(fd, UI_DEV_CREATE) == 0;
    if (!ok) {
        if (why)
            *why = reason(QStringLiteral("%1 would not make a keyboard").arg(path));
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<UinputDevice>(new UinputDevice(fd));
}

bool UinputDevice::write(const QByteArray &events, QString *error)
{
    if (const qint64 wait = kSettleMs - m_age.elapsed(); wait > 0)
        QThread::msleep(ulong(wait));
    qsizetype done = 0;
    int busy = 0;
    while (done < events.size()) {
        const ssize_t n = ::write(m_fd, events.constData() + done, size_t(events.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        // A kernel queue that stays full for seconds has no reader; giving up is better than
        // hanging the program.
        if (n < 0 && errno == EAGAIN && ++busy < 2000) {
            QThread::msleep(1);
            continue;
        }
        if (n <= 0) {
            if (error)
                *error = reason(QStringLiteral("Cannot type keys: the uinput keyboard"));
            return false;
        }
        done += n;
    }
    return true;
}
