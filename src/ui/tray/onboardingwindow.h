#pragma once

#include "core/indicator.h"

#include <QDialog>
#include <QLabel>

// One line of the onboarding legend: the state's glyph, then its text. The glyph is painted
// into the label's margin, so the row is one accessible element named by its text.
class MeterLegendRow : public QLabel
{
    Q_OBJECT

public:
    MeterLegendRow(Indicator indicator, const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Indicator m_indicator;
};

// The first-run window "Welcome to Glinter": what the program does, what the meter's
// states mean, and a way into the settings. Return chooses services, Escape closes it.
class OnboardingWindow : public QDialog
{
    Q_OBJECT

public:
    explicit OnboardingWindow(QWidget *parent = nullptr);

    // Sizes the window to its content and shows it in the middle of its screen, in front.
    void showCentred();

Q_SIGNALS:
    // "Choose Services" was pressed; the window has closed itself.
    void chooseServicesRequested();
};
