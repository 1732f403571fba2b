#pragma once

#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <chrono>
#include <functional>

class QLabel;
class QPushButton;
class StatusMonitor;

// "Add from a Codebase": copies the prompt that lets a coding agent append a project's
// services to services.json (which the monitor watches), and opens that file in the
// desktop's editor for it.
class AgentImportRow : public QWidget
{
    Q_OBJECT

public:
    // Hands a file: URL to the desktop; by default QDesktopServices.
    using FileOpener = std::function<void(const QUrl &file)>;

    explicit AgentImportRow(StatusMonitor &monitor, QWidget *parent = nullptr);

    void setFileOpener(FileOpener opener) { m_openFile = std::move(opener); }
    // How long "Copied" stays; 2 s.
    void setCopiedDuration(std::chrono::milliseconds duration) { m_copiedReset.setInterval(duration); }

    // Puts the prompt on the clipboard, writing services.json first when it is missing
    // so that the path the prompt names exists.
    void copyPrompt();
    // Opens services.json, writing it first when it is missing.
    void openConfig();

private:
    void saveFileIfMissing();
    void setCopied(bool copied);

    StatusMonitor &m_monitor;
    QPushButton *m_copy;
    QPushButton *m_edit;
    QTimer m_copiedReset;
    FileOpener m_openFile;
};
