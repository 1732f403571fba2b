#pragma once

#include "platform/reachability.h"

class QNetworkInformation;

// Reachability from Qt's network information backend (NetworkManager on Linux). Only a
// reported disconnection counts as offline: a missing backend or an unknown state lets
// checks go ahead.
class NetworkReachability final : public Reachability
{
    Q_OBJECT

public:
    explicit NetworkReachability(QObject *parent = nullptr);

    bool isOnline() const override;

private:
    QNetworkInformation *m_information = nullptr;
};
