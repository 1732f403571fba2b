#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// Two settings from the environment, read once at start, that let the program run against
// a local feed server:
//   GLINTER_FEED_ORIGIN      scheme, host and port that replace those of every fixed
//                            vendor feed endpoint (the path is kept);
//   GLINTER_EXTRA_CA_CERTS   a PEM file of extra certificate authorities trusted for
//                            every HTTPS request.
// Unset or empty, nothing changes.
namespace NetworkEnvironment {

// Reads both variables; problems are reported on stderr and otherwise ignored.
void loadFromEnvironment();

// The origin that replaces fixed feed origins, if any.
std::optional<QUrl> feedOrigin();
void setFeedOrigin(std::optional<QUrl> origin);

// A fixed vendor endpoint, moved to the feed origin when one is set.
QUrl fixedFeed(const QUrl &endpoint);

// Trusts the certificate authorities in a PEM file for every later HTTPS request, on top
// of the system's. Returns how many certificates were added.
int addCaCertificates(const QString &pemPath);

// The certificate authorities added so far (DER), and a number that changes with every addition.
struct ExtraCertificates {
    QList<QByteArray> certificates;
    int generation = 0;
};
ExtraCertificates extraCaCertificates();

} // namespace NetworkEnvironment
