#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Whole-file writes that either replace the file with all of the new bytes or leave it as
// it was: the bytes go to a temporary file beside it, are synced, and only then renamed
// over the old one.
// The outcome of a write. Deliberately not convertible to bool: a failure carries a reason
// to report, and `if (write(...))` would let a caller drop it without a glance.
struct WriteResult {
    // Why the write failed; absent when it succeeded.
    std::optional<QString> error;

    bool ok() const { return !error.has_value(); }
};

// The outcome of a whole-file read: the bytes, or why there are none.
struct ReadResult {
    std::optional<QByteArray> bytes;
    QString error;
    bool missing = false; // nothing at the path at all
};

namespace AtomicFile {

// Reads the whole regular file at `path` if it holds at most `maxSize` bytes. Anything else
// there (a pipe, whose opening would block for good, a device, a folder) is refused without
// being opened, as is a larger file.
ReadResult read(const QString &path, qint64 maxSize);

// Writes `bytes` to `path`, creating missing folders. After a failure the file at `path`
// is as it was and no temporary file is left beside it.
WriteResult write(const QString &path, const QByteArray &bytes);

} // namespace AtomicFile
