#pragma once

#include <QUrl>

#include <memory>

// Hands an address to the desktop (the default browser).
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;

    virtual void open(const QUrl &url) = 0;
};

// The platform's opener.
std::unique_ptr<UrlOpener> makeUrlOpener();

// Opens a web page in the browser. Addresses come from files and feeds that others
// write, so anything but a web page (file:, custom schemes that start programs) is
// ignored. Returns whether the address was handed over.
bool openWebPage(UrlOpener &opener, const QUrl &url);
