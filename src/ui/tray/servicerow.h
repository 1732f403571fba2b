#pragma once

#include "ui/tray/panelmodel.h"

#include <QAbstractButton>
#include <QImage>

// One line of the panel's list: state glyph, name, one-line description, sparkline and the
// age of the last check, which turns into an "open" arrow under the pointer. The row is
// drawn as a whole and is a single accessible button, so a screen reader hears one label.
// The panel keeps row widgets for as long as it lives and refills them in place.
class ServiceRow : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ServiceRow(QWidget *parent = nullptr);

    void setContent(const RowContent &content, const QList<Indicator> &history);

    QSize sizeHint() const override;

Q_SIGNALS:
    // The user asked to open the page (click, Return, Enter or Space).
    void pageRequested(const QUrl &page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool event(QEvent *event) override;

private:
    void renderImages(qreal ratio);

    RowContent m_content;
    QList<Indicator> m_history;
    QImage m_glyph;
    QImage m_sparkline;
    QImage m_arrow;
    qreal m_imagesRatio = 0;
};
