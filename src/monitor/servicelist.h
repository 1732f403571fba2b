#pragma once

#include "core/service.h"
#include "core/servicestore.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>

#include <memory>
#include <optional>

class FileWatcher;

// The monitored services as services.json holds them: the list in display order, every
// change saved whole (keeping a copy of what a save would lose), and the merge of outside
// edits of the file, which it watches. What is wrong with the file is said in words in
// fileError(). Main thread only.
class ServiceList : public QObject
{
    Q_OBJECT

public:
    struct Setup {
        explicit Setup(ServiceStore storeToUse)
            : store(std::move(storeToUse))
        {
        }

        ServiceStore store;
        // The file as the caller has just read it, so that it is not read again.
        std::optional<ServiceFileContents> contents;
        bool watchFile = true;
        // Never write the file (a one-shot check).
        bool readOnly = false;
    };

    // Where new services came from, which decides how they are first checked.
    enum class AddedBy { User, File };

    explicit ServiceList(Setup setup, QObject *parent = nullptr);
    ~ServiceList() override;

    const QList<Service> &services() const { return m_services; }
    const Service *find(const QUuid &serviceID) const;
    // Whether a result fetched for this copy of a service may still be applied: the
    // service is still listed, with the same provider, address and selection.
    bool isCurrent(const Service &service) const;
    const ServiceStore &store() const { return m_store; }
    // A file that cannot be read or used, records that are not monitored or were dropped
    // (and where the file as it was is kept), a save that failed; absent when all is well.
    std::optional<QString> fileError() const { return m_fileError; }

    // Each operation changes the list once and saves it once, however many services it
    // touches.
    void add(const QList<Service> &services);
    void remove(const QSet<QUuid> &serviceIDs);
    void move(qsizetype from, qsizetype to);
    // An empty selection means the whole service.
    void setComponents(const std::optional<QStringList> &components, const QUuid &serviceID);

    // Merges the file's current content into the list (the watcher calls it).
    void reloadFromDisk();

Q_SIGNALS:
    void changed();
    // Services that joined the list and have not been checked yet.
    void added(const QList<Service> &services, ServiceList::AddedBy by);
    // Services that left the list (signalled before changed()).
    void removed(const QList<QUuid> &serviceIDs);
    // A service's component selection changed: what was known of its state no longer holds.
    void reselected(const Service &service);
    void fileErrorChanged();

private:
    void setServices(QList<Service> services);
    void save();
    // Saves over `onDisk`, the file as just read.
    void save(const ServiceFileContents &onDisk);
    void noteFileRead(const ServiceFileContents &contents, bool atStart);
    void publishFileError();

    ServiceStore m_store;
    std::unique_ptr<FileWatcher> m_watcher;
    bool m_readOnly;
    QList<Service> m_services;
    // Where each service stands in m_services, so that results find theirs at once.
    QHash<QUuid, qsizetype> m_indexByID;

    std::optional<QString> m_fileError;
    // What fileError() is made of: what the file held when last read (or what a save
    // dropped from it, which stays until the file is edited again) and why the last save
    // failed.
    std::optional<QString> m_fileNote;
    bool m_fileNoteSticky = false;
    std::optional<QString> m_saveError;
    // The file as it was when a save over it failed; the same file seen again by the
    // watcher (the failed save's own temporary file stirs it) is not merged and saved
    // again, which would only fail again, every debounce period.
    struct FileState {
        bool missing = false;
        QByteArray data;
        bool operator==(const FileState &) const = default;
    };
    std::optional<FileState> m_saveFailedOver;
};
