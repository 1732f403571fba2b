#include "core/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace AtomicFile {

ReadResult read(const QString &path, qint64 maxSize)
{
    const QString tooLarge =
        QCoreApplication::translate("AtomicFile", "larger than %1 MiB").arg(maxSize / (qint64(1024) * 1024));
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return {std::nullopt, QCoreApplication::translate("AtomicFile", "not a regular file")};
    if (info.size() > maxSize)
        return {std::nullopt, tooLarge};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt, file.errorString(), !file.exists()};
    // Sized by what the file holds, not by the limit: read(n) allocates n bytes up front, and
    // the services file's limit is 16 MiB where the file is a few kilobytes.
    QByteArray bytes = file.read(std::min(maxSize, file.size()) + 1);
    // A file another program writes in place may have grown since: read on, in steps.
    while (bytes.size() <= maxSize && file.error() == QFileDevice::NoError && !file.atEnd()) {
        const QByteArray more = file.read(std::min<qint64>(maxSize + 1 - bytes.size(), qint64(64) * 1024));
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (file.error() != QFileDevice::NoError)
        return {std::nullopt, file.errorString()};
    if (bytes.size() > maxSize)
        return {std::nullopt, tooLarge};
    return {std::move(bytes), {}};
}

WriteResult write(const QString &path, const QByteArray &bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return {QCoreApplication::translate("AtomicFile", "cannot create the folder %1").arg(folder)};

    QSaveFile file(path);
    // Unbuffered: with a write buffer, an error raised when the buffer is flushed inside
    // commit() can go unnoticed, and commit() would then rename a short or empty file over
    // the good one (seen with a full disk).
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return {file.errorString()};
    const qint64 written = file.write(bytes);
    if (written != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString error = file.error() != QFileDevice::NoError
                                  ? file.errorString()
                                  : QCoreApplication::translate("AtomicFile", "short write");
        file.cancelWriting();
        return {error};
    }
    if (!file.commit())
        return {file.errorString()};
    return {};
}

} // namespace AtomicFile
