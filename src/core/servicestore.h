#pragma once

#include "core/atomicfile.h"
#include "core/service.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// What the services file held when it was last read.
struct ServiceFileContents {
    // The valid records in file order, de-duplicated; empty when the file held none.
    QList<Service> services;
    // Why the file could not be used at all (not JSON, not an array, or no valid record
    // in a non-empty array); absent for a usable file.
    std::optional<QString> error;
    // One line per record that was skipped or dropped as a duplicate, in file order, e.g.
    // `Record 3: missing "url"`. A save of `services` loses these records.
    QStringList problems;
    // How many of those records cannot be read at all (duplicates aside): services the
    // user listed whose state nobody will learn.
    qsizetype unreadableRecords = 0;
    // The identifiers written in the file (records without one were given a fresh one).
    QSet<QUuid> writtenIDs;
    // Why the file could not be read (missing, no permission); absent when it was read.
    std::optional<QString> readError;
    // The file does not exist.
    bool missing = false;
    // The bytes read.
    QByteArray data;

    // Whether saving over this file loses anything the user wrote.
    bool savingLosesSomething() const { return error.has_value() || !problems.isEmpty(); }
};

// The list of monitored services, kept in the hand-editable services.json.
class ServiceStore
{
public:
    // The folder defaults to the generic data location plus "Glinter". It is created by
    // the first save (a failure is ignored: reads then give the seed list), so reading
    // never leaves anything behind.
    explicit ServiceStore(std::optional<QString> directory = std::nullopt);

    // A store on a services file of another name (the --services option).
    static ServiceStore forFile(const QString &filePath);

    QString directory() const { return m_directory; }
    QString filePath() const { return m_filePath; }

    // Never fails: a missing, unreadable or broken file gives the seed list; a file that
    // holds no record (`[]`) gives an empty list.
    QList<Service> load() const;

    // Reads the file and says exactly what it held.
    ServiceFileContents read() const;

    // Writes the whole list atomically, creating the folder when missing. A failed write
    // leaves the file as it was.
    WriteResult save(const QList<Service> &services) const;

    // The default services, with identifiers made once per process run.
    static const QList<Service> &seedList();

    // The list a reading of the file stands for: its records, none at all included (the
    // user emptied the list), or the seed list when there is no file or it cannot be used.
    static QList<Service> servicesOf(const ServiceFileContents &contents);

    // The encoding written by save(): a pretty-printed array, keys sorted, "/" unescaped.
    static QByteArray encode(const QList<Service> &services);

    // Tolerant decoding of the file's bytes (records that fail are skipped, duplicates by
    // provider and case-insensitive URL dropped).
    static ServiceFileContents decode(const QByteArray &data);

    // The problems of a file in one line, the first few of them in full.
    static QString problemsText(const QStringList &problems);

private:
    QString m_directory;
    QString m_filePath;
};
