#pragma once

#include "core/indicator.h"

#include <QIconEngine>

// The tray meter as an icon that draws itself at whatever size the tray asks for, so it is
// sharp on every panel height and pixel ratio instead of a scaled bitmap.
class MeterIconEngine : public QIconEngine
{
public:
    explicit MeterIconEngine(Indicator indicator);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine *clone() const override;
    QString key() const override;

private:
    Indicator m_indicator;
};
