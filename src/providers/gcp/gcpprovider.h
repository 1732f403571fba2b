#pragma once

#include "net/httpsession.h"
#include "providers/common/feedstory.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>
#include <QList>

// Reads the Google Cloud incidents archive, counts the incidents still open and reports
// the worst. The archive runs to several megabytes, so it is decoded off the UI thread.
class GCPProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(GCPProvider)

public:
    struct Incident {
        std::optional<QString> end;
        std::optional<QString> externalDesc;
        std::optional<QString> statusImpact;
        std::optional<QString> severity;
        std::optional<QString> firstProductTitle;
        // Read leniently: a wrong type leaves them empty.
        QDateTime begin;
        // The most recent update's text and time.
        QString update;
        QDateTime updatedAt;
        QUrl page;
    };

    explicit GCPProvider(HttpSession session);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    static QUrl feed();

    // Keeps only the open incidents; the closed ones are most of the archive.
    static Decoded<QList<Incident>> decode(const QByteArray &body);

    static bool isOpen(const Incident &incident);
    static Indicator severity(const Incident &incident);

    static ServiceStatusResult evaluate(const Service &service, const QList<Incident> &incidents);

    // The open incidents, titled as the row names them. The feed grades them but names no
    // stage.
    static FeedStory::Story story(const QList<Incident> &incidents);

    // The incident's page for the archive's relative "uri", on the status site itself even
    // when the feed is read from elsewhere; empty when it is no web address.
    static QUrl incidentPage(const QString &uri);

private:
    HttpSession m_session;
};
