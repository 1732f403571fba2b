#pragma once

#include "ui/common/renderers.h"

#include <QAbstractButton>

class QTimer;

// Return and Enter press a focused button of the panel, as Space does; false for other keys.
bool pressedByKey(QAbstractButton *button, QKeyEvent *event);

// The header's round refresh button: a circular arrow, or a spinner while the monitor
// refreshes. The spinner's timer ("spinner") runs only while refreshing and visible.
class RefreshButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit RefreshButton(QWidget *parent = nullptr);

    void setRefreshing(bool refreshing);

    QSize sizeHint() const override { return QSize(26, 26); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void updateSpinning();

    bool m_refreshing = false;
    int m_angle = 0;
    QTimer *m_spin;
};

// A footer button: a glyph and a title centred in half the footer, with a rounded hover
// background.
class FooterButton : public QAbstractButton
{
    Q_OBJECT

public:
    FooterButton(Glyph glyph, const QString &title, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    // The glyph and the whole title: a language with a longer word for it takes more of the
    // footer rather than losing its end.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Glyph m_glyph;
};

// The control after a row that opens the service's details: a small "i" in a circle. The
// panel names it after the service ("Details for GitHub"), for screen readers and tooltips.
class DetailsButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit DetailsButton(QWidget *parent = nullptr);

    QSize sizeHint() const override { return QSize(24, 24); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};
