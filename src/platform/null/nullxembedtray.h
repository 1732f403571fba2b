#pragma once

#include "platform/xembedtray.h"

// A tray that the test starts and stops with setPresent().
class NullXEmbedTray final : public XEmbedTray
{
    Q_OBJECT

public:
    using XEmbedTray::XEmbedTray;

    bool isPresent() const override { return m_present; }

    void setPresent(bool present)
    {
        if (present == m_present)
            return;
        m_present = present;
        Q_EMIT presentChanged(present);
    }

private:
    bool m_present = false;
};
