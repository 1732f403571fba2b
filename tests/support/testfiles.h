#pragma once

#include <QFile>

// The whole file, or nothing when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Written in place (or appended to), as a plain editor without atomic saves would.
inline bool writeFile(const QString &path, const QByteArray &data,
                      QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Truncate)
{
    QFile file(path);
    return file.open(mode) && file.write(data) == data.size();
}
