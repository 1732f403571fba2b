#include "net/contentdecoding.h"

#include <zlib.h>

namespace ContentDecoding {

namespace {

// windowBits: 15 + 32 reads both zlib and gzip framing; -15 reads raw deflate.
Decoded inflateWith(int windowBits, const QByteArray &body, qint64 maxSize)
{
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return {std::nullopt, Failure::Malformed};

    QByteArray out;
    constexpr qsizetype chunk = qsizetype(64) * 1024;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(body.constData()));
    stream.avail_in = uInt(body.size());
    int status = Z_OK;
    while (status != Z_STREAM_END) {
        const qsizetype used = out.size();
        if (used > maxSize) {
            inflateEnd(&stream);
            return {std::nullopt, Failure::TooLarge};
        }
        out.resize(used + chunk);
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + used);
        stream.avail_out = uInt(chunk);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(used + chunk - qsizetype(stream.avail_out));
        if (status == Z_STREAM_END)
            break;
        // Z_BUF_ERROR with input left means no progress: a cut or damaged stream.
        if (status != Z_OK || (stream.avail_in == 0 && stream.avail_out != 0)) {
            inflateEnd(&stream);
            return {std::nullopt, Failure::Malformed};
        }
    }
    inflateEnd(&stream);
    if (out.size() > maxSize)
        return {std::nullopt, Failure::TooLarge};
    return {out, Failure::Malformed};
}

} // namespace

QByteArray acceptedEncodings()
{
    return QByteArrayLiteral("gzip, deflate");
}

Decoded decode(const QByteArray &encoding, const QByteArray &body, qint64 maxSize)
{
    // No body has nothing to undo: a 204 or 304 names the encoding of a representation it
    // does not carry.
    if (body.isEmpty())
        return {body, Failure::Malformed};
    const QByteArray name = encoding.trimmed().toLower();
    if (name == "gzip" || name == "x-gzip")
        return inflateWith(15 + 32, body, maxSize);
    if (name == "deflate") {
        // Servers send "deflate" both with and without the zlib framing.
        Decoded framed = inflateWith(15 + 32, body, maxSize);
        if (framed.body || framed.failure == Failure::TooLarge)
            return framed;
        return inflateWith(-15, body, maxSize);
    }
    return {body, Failure::Malformed};
}

} // namespace ContentDecoding
