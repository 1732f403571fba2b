#include "platform/linux/networkreachability.h"

#include <QNetworkInformation>

namespace {

bool online(QNetworkInformation::Reachability reachability)
{
    return reachability != QNetworkInformation::Reachability::Disconnected;
}

} // namespace

NetworkReachability::NetworkReachability(QObject *parent)
    : Reachability(parent)
{
    if (!QNetworkInformation::instance() && !QNetworkInformation::loadDefaultBackend())
        return;
    m_information = QNetworkInformation::instance();
    if (!m_information || !m_information->supports(QNetworkInformation::Feature::Reachability)) {
        m_information = nullptr;
        return;
    }
    connect(m_information, &QNetworkInformation::reachabilityChanged, this,
            [this](QNetworkInformation::Reachability reachability) { Q_EMIT updated(online(reachability)); });
}

bool NetworkReachability::isOnline() const
{
    return !m_information || online(m_information->reachability());
}
