#pragma once

#include "net/httpsession.h"
#include "providers/common/feedstory.h"
#include "providers/providercontext.h"
#include "providers/statusio/statusiopageids.h"
#include "providers/statusprovider.h"

#include <QCoreApplication>

// Reads status pages hosted on Status.io. The page's address does not reveal the
// identifier the public status API wants, so the page itself is loaded first and the
// identifier dug out of its HTML; with the context's StatusIOPageIds, a page found before is
// not loaded again.
class StatusIOProvider final : public StatusProvider
{
    Q_DECLARE_TR_FUNCTIONS(StatusIOProvider)

public:
    struct Overall {
        std::optional<QString> status;
        std::optional<int> statusCode;
    };

    struct Document {
        Overall overall;
        // The open incidents and the active and upcoming maintenance, read leniently:
        // nothing in them fails the document.
        FeedStory::Story story;
    };

    // The API's origin is configuration; a feed origin from the environment replaces it.
    explicit StatusIOProvider(HttpSession session, std::shared_ptr<StatusIOPageIds> pageIds = {},
                              QUrl apiOrigin = defaultApiOrigin());
    // The provider as the table makes it, with what the context holds for it.
    static std::unique_ptr<StatusProvider> make(const HttpSession &session, const ProviderContext &context);

    QCoro::Task<ServiceStatusResult> fetch(Service service) override;

    static QUrl defaultApiOrigin();

    QUrl apiOrigin() const { return m_apiOrigin; }

    // The status API address of a page identifier.
    static QUrl apiUrl(const QUrl &apiOrigin, const QString &pageId);

    // The hexadecimal value quoted after the first "pageId" in the page's HTML.
    static std::optional<QString> pageId(QStringView html);

    // The page's address and identifier give the links of its posts; without them the
    // story has none. A document without "result" or "status_overall" is of an unexpected
    // format.
    static Decoded<Document> decode(const QByteArray &data, const QUrl &page = {}, const QString &pageId = {});

    // Where the page shows one of its posts (`kind` "incident" or "maintenance"); empty
    // unless the page is a web address and both identifiers are plain letters and digits.
    static QUrl postUrl(const QUrl &page, QStringView kind, const QString &pageId, const QString &postId);

    // The code decides when it is a known one, else the status sentence.
    static Indicator indicator(std::optional<int> code, const std::optional<QString> &status);

    // Whether the overall state is planned work rather than trouble: the maintenance code, or
    // without a known code a minor state whose sentence says maintenance.
    static bool isMaintenance(std::optional<int> code, const std::optional<QString> &status);

    static ServiceStatusResult evaluate(const Service &service, const Overall &overall);

private:
    HttpSession m_session;
    std::shared_ptr<StatusIOPageIds> m_pageIds;
    QUrl m_apiOrigin;
};
