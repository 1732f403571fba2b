#pragma once

#include <QByteArray>

#include <optional>

// Undoing a response's Content-Encoding ourselves, with a limit: Qt's own decompression
// cannot be bounded and hands back a damaged body when it gives up on a "zip bomb".
namespace ContentDecoding {

enum class Failure { TooLarge, Malformed };

struct Decoded {
    std::optional<QByteArray> body;
    Failure failure = Failure::Malformed; // when body is absent
};

// The encodings we ask servers for.
QByteArray acceptedEncodings();

// `body` decoded as `encoding` says ("gzip", "x-gzip", "deflate"; anything else, including
// none, is taken as it is, as is an empty body), failing when the result would exceed
// `maxSize` bytes.
Decoded decode(const QByteArray &encoding, const QByteArray &body, qint64 maxSize);

} // namespace ContentDecoding
