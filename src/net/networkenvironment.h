#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

// The network settings every request of the process shares, given once at start, that let the
// program run against a local feed server: an origin that replaces those of the fixed vendor
// feeds, and extra certificate authorities trusted for every HTTPS request.
namespace NetworkEnvironment {

// The settings as the user gives them (the program reads them from GLINTER_FEED_ORIGIN and
// GLINTER_EXTRA_CA_CERTS). Empty, a setting changes nothing.
struct Options {
    QString feedOrigin; // scheme, host and port; the path of each feed is kept
    QString extraCaCertificates; // the path of a PEM file
};

// Takes both settings; problems are reported on stderr and otherwise ignored.
void apply(const Options &options);

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
