#pragma once

#include "core/indicator.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <QUuid>

#include <chrono>
#include <optional>

class QSettings;

// The user's preferences ($XDG_CONFIG_HOME/Glinter/Glinter.conf on Linux), one typed
// accessor per key with its default. Values are read from the file on every call, never
// cached, so a hand edit is seen at the next read; a missing value, or one of the wrong
// type, reads as the default. A key has a change signal only where something acts on the
// change itself: whoever just reads the value when it needs it (the notifier reads the
// minimum severity and the webhook at each alert) needs none. One object is handed to
// everyone who reads or writes them, so that what one view changes, the others show at once.
class Settings : public QObject
{
    Q_OBJECT

public:
    explicit Settings(QObject *parent = nullptr);
    ~Settings() override;

    // "refreshInterval", in seconds: 300 when missing, zero, negative or not a number;
    // other values are held within 30 s and 24 h.
    std::chrono::milliseconds refreshInterval() const;
    void setRefreshInterval(std::chrono::milliseconds interval);
    static constexpr std::chrono::seconds defaultRefreshInterval{300};
    static constexpr std::chrono::seconds minimumRefreshInterval{30};
    static constexpr std::chrono::seconds maximumRefreshInterval{24 * 60 * 60};

    // "hasOnboarded": the first-run window was shown once.
    bool hasOnboarded() const;
    void setHasOnboarded(bool onboarded);

    // "notificationsEnabled" (default on) and "notificationMinSeverity" (default minor).
    bool notificationsEnabled() const;
    void setNotificationsEnabled(bool enabled);
    Indicator notificationMinSeverity() const;
    void setNotificationMinSeverity(Indicator severity);

    // The muted services: for good ("mutedServiceIDs"), or until a moment in UTC
    // ("mutedUntil", texts such as "UUID 2030-01-01T13:05:00Z", from a notification's "Mute
    // for 1 Hour"). Entries that are malformed, have no time zone or have ended read as
    // none, and ended ones are dropped whenever the list is written.
    struct Mutes {
        QSet<QUuid> always;
        QHash<QUuid, QDateTime> until;

        bool contains(const QUuid &serviceID) const { return always.contains(serviceID) || until.contains(serviceID); }
    };
    Mutes mutes(const QDateTime &now = QDateTime::currentDateTimeUtc()) const;
    bool isMuted(const QUuid &serviceID, const QDateTime &now = QDateTime::currentDateTimeUtc()) const;
    // Switches the permanent mute; switching it off ends a timed mute too, as a bell shows
    // either as one.
    void setMuted(const QUuid &serviceID, bool muted, const QDateTime &now = QDateTime::currentDateTimeUtc());
    // Replaces the service's end, stored to the second, rounded up.
    void muteUntil(const QUuid &serviceID, const QDateTime &end,
                   const QDateTime &now = QDateTime::currentDateTimeUtc());

    // "webhookURL" as the user typed it, and the usable address derived from it on every
    // read (see usableWebhookAddress()).
    QString webhookAddress() const;
    void setWebhookAddress(const QString &address);
    std::optional<QUrl> webhookURL() const;
    // The text trimmed of blanks and line breaks, if it is a web address whose scheme is
    // written in lower case.
    static std::optional<QUrl> usableWebhookAddress(const QString &typed);

    // "awsRegions": the AWS region codes that count, stored sorted; empty means all.
    QSet<QString> awsRegions() const;
    void setAwsRegions(const QSet<QString> &codes);

Q_SIGNALS:
    void refreshIntervalChanged(std::chrono::milliseconds interval);
    void notificationsEnabledChanged(bool enabled);
    // Also when a timed mute ends by itself.
    void mutesChanged();
    void awsRegionsChanged(const QSet<QString> &codes);

private:
    void writeMutedUntil(const QHash<QUuid, QDateTime> &ends);
    void writeMutedServiceIDs(const QSet<QUuid> &ids);
    // Fires at the earliest end of the timed mutes.
    void watchMuteEnds(const Mutes &mutes, const QDateTime &now);

    QTimer m_muteEnd;
};

// The preferences file as QSettings reads it: the same for every part of the program.
std::unique_ptr<QSettings> preferencesFile();
