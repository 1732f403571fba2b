#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

// Glinter's public face on the session bus: the name app.glinter.Glinter with the object
// /app/glinter/Glinter and its interface app.glinter.Glinter1 (the introspection XML is
// installed as share/dbus-1/interfaces/app.glinter.Glinter1.xml), and the other side of it,
// which follows whichever process owns the name.

// The interface's properties.
struct PublicState {
    // The worst state, in the words of `glinter --check --json`.
    QString indicator;
    // The panel header's words.
    QString summary;
    // Unix seconds of the last completed refresh; 0 before the first.
    qint64 lastRefresh = 0;
    // One a{sv} per service, in panel order.
    QList<QVariantMap> services;

    bool operator==(const PublicState &) const = default;
};

// A method's refusal, sent back as a D-Bus error.
struct PublicError {
    enum class Kind {
        // The member does not apply to this instance (ShowPanel without a panel).
        NotSupported,
        // No service has the id given.
        UnknownService,
    };
    Kind kind;
    QString message;
};

class PublicService : public QObject
{
    Q_OBJECT

public:
    // What the methods do; each answers nothing on success.
    struct Requests {
        std::function<void()> refresh;
        std::function<std::optional<PublicError>()> showPanel;
        // seconds == 0 mutes until unmuted.
        std::function<std::optional<PublicError>(const QString &id, uint seconds)> mute;
        std::function<std::optional<PublicError>(const QString &id)> unmute;
    };

    using QObject::QObject;

    // Exports the object and takes the name. False without a session bus or when another
    // process owns the name: that process answers, and this one is not fought over.
    virtual bool publish(Requests requests) = 0;
    // Announces with PropertiesChanged the properties that differ from the last state.
    virtual void setState(const PublicState &state) = 0;
};

// Follows the owner of the name: its state at once when it appears, and each change.
class PublicServiceClient : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual bool ownerPresent() const = 0;

Q_SIGNALS:
    // The name got an owner, or lost it.
    void ownerChanged(bool present);
    // The owner's whole state: once after it appeared (or at start), then on each change.
    void stateChanged(const PublicState &state);
};

// The platform's; on a platform without a session bus, one that never publishes and never
// sees an owner.
std::unique_ptr<PublicService> makePublicService();
std::unique_ptr<PublicServiceClient> makePublicServiceClient();
