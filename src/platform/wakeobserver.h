#pragma once

#include <QObject>

#include <memory>

// Tells when the system has woken from sleep.
class WakeObserver : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

Q_SIGNALS:
    void woke();
};

std::unique_ptr<WakeObserver> makeWakeObserver();
