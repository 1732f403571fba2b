#pragma once

#include "platform/publicbus.h"

// No bus: nothing is published and no owner is ever seen. Records the last state for tests.
class NullPublicService : public PublicService
{
    Q_OBJECT

public:
    using PublicService::PublicService;

    bool publish(Requests requests) override
    {
        m_requests = std::move(requests);
        return false;
    }
    void setState(const PublicState &state) override { m_state = state; }

    const PublicState &state() const { return m_state; }
    const Requests &requests() const { return m_requests; }

private:
    Requests m_requests;
    PublicState m_state;
};

class NullPublicServiceClient : public PublicServiceClient
{
    Q_OBJECT

public:
    using PublicServiceClient::PublicServiceClient;

    bool ownerPresent() const override { return false; }
};
