#pragma once

#include "platform/urlopener.h"

// Opens addresses with the desktop's default handler.
class DesktopUrlOpener : public UrlOpener
{
public:
    void open(const QUrl &url) override;
};
