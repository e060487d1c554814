#pragma once

#include "KeySender.h"
#include "KeySyms.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Types keys on GNOME and KDE Plasma Wayland sessions through the desktop's RemoteDesktop
// portal: a session that may use the keyboard, which the desktop asks the user to allow once.
// The portal's restore token is kept in a file, so that later starts are not asked again.
// Keys typed before the user has answered wait and go out once the session has started; a
// refusal drops them and is announced once through unavailable(). A session the desktop
// ends (the user revoked it) is asked for again at the next keys.
class PortalKeySender : public QObject, public KeySender {
    Q_OBJECT
public:
    // tokenFile holds the restore token between runs.
    PortalKeySender(QDBusConnection bus, QString tokenFile, QObject *parent = nullptr);

    // Whether the bus has a portal offering a keyboard to remote desktop sessions.
    static bool isOffered(QDBusConnection bus);

    bool sendKeys(const QString &keys, QString *error = nullptr) override;

    bool isStarted() const { return m_state == State::Started; }
    // Whether the desktop refused the keyboard; nothing is typed through the portal after.
    bool isRefused() const { return m_state == State::Refused; }
    int queuedEvents() const { return int(m_queue.size()); }

signals:
    // The sentence to tell the user, once, when keys cannot be typed through the portal.
    void unavailable(const QString &sentence);

private slots:
    void onResponse(uint response, const QVariantMap &results);
    void onSessionClosed();

private:
    enum class State { Idle, Creating, Selecting, Starting, Started, Refused };

    void createSession();
    void request(const QString &method, const QVariantList &arguments, QVariantMap options);
    void fail(const QString &sentence);
    void flush();

    QDBusConnection m_bus;
    QString m_tokenFile;
    State m_state = State::Idle;
    QString m_session;
    QString m_pendingRequest;
    QList<KeySyms::Event> m_queue;
};
