#pragma once

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

// A real 64 KB file system to fill up: a tmpfs on a temporary folder, for the life of the
// object. Mounting needs root; without it, mountError() says why and the test skips.
class FullDisk
{
public:
    FullDisk()
    {
        if (::mount("tmpfs", QFile::encodeName(dir.path()).constData(), "tmpfs", 0, "size=64k") != 0)
            mountError = QString::fromLocal8Bit(std::strerror(errno));
    }
    ~FullDisk() { ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH); }
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    // Writes a filler file until the file system refuses more; release() removes it.
    void fill() const
    {
        QFile filler(dir.filePath(QStringLiteral("filler")));
        if (filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            while (filler.write(QByteArray(1024, 'x')) == 1024) { }
    }
    void release() const { QFile::remove(dir.filePath(QStringLiteral("filler"))); }

    QTemporaryDir dir;
    QString mountError;
};
