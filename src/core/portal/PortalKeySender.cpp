#include "PortalKeySender.h"

#include "TextFile.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kRemoteDesktop = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
const QString kRequest = QStringLiteral("org.freedesktop.portal.Request");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");
constexpr uint kKeyboard = 1;
constexpr uint kPersistUntilRevoked = 2;

// Request and session tokens are unique over the process, so no two senders on one bus
// connection wait on the same request path.
QString nextToken()
{
    static int tokens = 0;
    return QStringLiteral("quillet%1").arg(++tokens);
}

QString readToken(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace

PortalKeySender::PortalKeySender(QDBusConnection bus, QString tokenFile, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_tokenFile(std::move(tokenFile))
{}

bool PortalKeySender::isOffered(QDBusConnection bus)
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kRemoteDesktop << QStringLiteral("AvailableDeviceTypes");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    const uint types = reply.arguments().first().value<QDBusVariant>().variant().toUInt();
    return types & kKeyboard;
}

bool PortalKeySender::sendKeys(const QString &keys, QString *error)
{
    const auto events = KeySyms::parse(keys, error);
    if (!events)
        return false;
    if (m_state == State::Refused) {
        if (error)
            *error = QStringLiteral("Cannot type keys: the desktop did not allow them");
        return false;
    }
    m_queue += *events;
    if (m_state == State::Idle)
        createSession();
    else if (m_state == State::Started)
        flush();
    return true;
}

void PortalKeySender::createSession()
{
    m_state = State::Creating;
    request(QStringLiteral("CreateSession"), {},
            {{QStringLiteral("session_handle_token"), nextToken()}});
}

// A portal request answers with a Response signal on a path made from our name and the
// token; listening there before the call means no answer can come too early to be heard.
void PortalKeySender::request(const QString &method, const QVariantList &arguments,
                              QVariantMap options)
{
    const QString token = nextToken();
    QString sender = m_bus.baseService().mid(1);
    sender.replace('.', '_');
    if (!m_pendingRequest.isEmpty())
        m_bus.disconnect(QString(), m_pendingRequest, kRequest, QStringLiteral("Response"), this,
                         SLOT(onResponse(uint, QVariantMap)));
    m_pendingRequest = kPath + QStringLiteral("/request/") + sender + '/' + token;
    m_bus.connect(QString(), m_pendingRequest, kRequest, QStringLiteral("Response"), this,
                  SLOT(onResponse(uint, QVariantMap)));
    options.insert(QStringLiteral("handle_token"), token);
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRemoteDesktop, method);
    QVariantList args = arguments;
    args << options;
    call.setArguments(args);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        if (w->isError())
            fail(QStringLiteral("I cannot type here: the desktop's remote desktop portal "
                                "answered \"%1\".")
                     .arg(w->error().message()));
    });
}

void PortalKeySender::onResponse(uint response, const QVariantMap &results)
{
    if (response != 0) {
        fail(QStringLiteral("The desktop did not allow me to use the keyboard, so I can type "
                            "only into windows that run through XWayland. Allow Quillet remote "
                            "control of the keyboard when the desktop asks, after my next "
                            "start."));
        return;
    }
    switch (m_state) {
    case State::Creating: {
        m_session = results.value(QStringLiteral("session_handle")).toString();
        m_bus.connect(QString(), m_session, kSession, QStringLiteral("Closed"), this,
                      SLOT(onSessionClosed()));
        m_state = State::Selecting;
        QVariantMap options{{QStringLiteral("types"), kKeyboard},
                            {QStringLiteral("persist_mode"), kPersistUntilRevoked}};
        const QString token = readToken(m_tokenFile);
        if (!token.isEmpty())
            options.insert(QStringLiteral("restore_token"), token);
        request(QStringLiteral("SelectDevices"), {QVariant::fromValue(QDBusObjectPath(m_session))},
                options);
        break;
    }
    case State::Selecting:
        m_state = State::Starting;
        request(QStringLiteral("Start"),
                {QVariant::fromValue(QDBusObjectPath(m_session)), QString()}, {});
        break;
    case State::Starting: {
        const QString token = results.value(QStringLiteral("restore_token")).toString();
        if (!token.isEmpty()) {
            QDir().mkpath(QFileInfo(m_tokenFile).path());
            QString why;
            if (!TextFile::writeAtomically(m_tokenFile, token.toUtf8() + '\n', &why))
                std::fprintf(stderr,
                             "Quillet: the desktop's permission to type could not be "
                             "kept in %s: %s\n",
                             qPrintable(m_tokenFile), qPrintable(why));
        }
        m_state = State::Started;
        flush();
        break;
    }
    default:
        break;
    }
}

void PortalKeySender::onSessionClosed()
{
    m_bus.disconnect(QString(), m_session, kSession, QStringLiteral("Closed"), this,
                     SLOT(onSessionClosed()));
    m_session.clear();
    if (m_state != State::Refused)
        m_state = State::Idle;
    // Keys still waiting for the old session go out on the new one.
    if (!m_queue.isEmpty())
        createSession();
}

void PortalKeySender::fail(const QString &sentence)
{
    if (m_state == State::Refused)
        return;
    m_state = State::Refused;
    m_queue.clear();
    std::fprintf(stderr, "Quillet: %s\n", qPrintable(sentence));
    emit unavailable(sentence);
}

void PortalKeySender::flush()
{
    const QDBusObjectPath session(m_session);
    for (const KeySyms::Event &e : std::as_const(m_queue)) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRemoteDesktop,
                                                           QStringLiteral("NotifyKeyboardKeysym"));
        call << QVariant::fromValue(session) << QVariantMap() << int(e.keysym)
             << uint(e.press ? 1 : 0);
        m_bus.asyncCall(call);
    }
    m_queue.clear();
}
