#include "ui/tray/metericonengine.h"

#include "ui/common/renderers.h"

#include <QPainter>
#include <QPixmap>

MeterIconEngine::MeterIconEngine(Indicator indicator)
    : m_indicator(indicator)
{
}

void MeterIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QImage image = renderMeter(m_indicator, rect.size() * ratio);
    image.setDevicePixelRatio(ratio);
    painter->drawImage(rect, image);
}

QPixmap MeterIconEngine::pixmap(const QSize &size, QIcon::Mode, QIcon::State)
{
    return QPixmap::fromImage(renderMeter(m_indicator, size));
}

// `size` is in device pixels already, as QIcon asks for it.
QPixmap MeterIconEngine::scaledPixmap(const QSize &size, QIcon::Mode, QIcon::State, qreal scale)
{
    QImage image = renderMeter(m_indicator, size);
    image.setDevicePixelRatio(scale);
    return QPixmap::fromImage(image);
}

// Sizes offered to trays that pick from a list (the StatusNotifierItem protocol sends them).
QList<QSize> MeterIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    return {QSize(16, 16), QSize(22, 22), QSize(24, 24), QSize(32, 32), QSize(44, 44), QSize(48, 48), QSize(64, 64)};
}

QIconEngine *MeterIconEngine::clone() const
{
    return new MeterIconEngine(m_indicator);
}

QString MeterIconEngine::key() const
{
    return QStringLiteral("glinter-meter");
}
