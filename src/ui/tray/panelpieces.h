#pragma once

#include "core/indicator.h"

#include <QScrollArea>
#include <QWidget>

// The pieces of the panel that are not buttons or rows.

inline constexpr int panelWidth = 360;
inline constexpr int listMaxHeight = 480;

// A thin rule in the text colour, faded.
QWidget *horizontalRule(QWidget *parent);

// The state symbol and the two header lines, drawn together and read as one element.
class HeaderView : public QWidget
{
public:
    explicit HeaderView(QWidget *parent);

    void setContent(Indicator indicator, const QString &summary, const QString &updated);

    QSize sizeHint() const override;
    // The second line whole (the summary may lose its end): its words differ by language.
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QFont summaryFont() const;
    QFont updatedFont() const;
    int lineHeights() const;

    Indicator m_indicator = Indicator::Unknown;
    QString m_summary;
    QString m_updated;
};

// A scroll area as tall as its content up to a cap, scrolling beyond it.
class CappedScrollArea : public QScrollArea
{
public:
    CappedScrollArea(int maxHeight, QWidget *parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

private:
    int m_maxHeight;
};
