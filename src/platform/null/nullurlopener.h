#pragma once

#include "platform/urlopener.h"

#include <QList>

// Opens nothing and remembers what it was asked to open.
class NullUrlOpener : public UrlOpener
{
public:
    void open(const QUrl &url) override { m_opened.append(url); }

    QList<QUrl> opened() const { return m_opened; }

private:
    QList<QUrl> m_opened;
};
