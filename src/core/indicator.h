#pragma once

#include <QList>
#include <QString>

#include <optional>

// Severity of a service's state. The order of the cases is the order of severity:
// Unknown (the feed could not be read) ranks lowest, so worst-of computations that
// should ignore it must drop it explicitly.
enum class Indicator : int {
    Unknown = -1,
    None = 0,
    Minor = 1,
    Major = 2,
    Critical = 3,
};

// All cases, lowest first.
const QList<Indicator> &allIndicators();

// The number the history and uptime files store for the state.
constexpr int storedNumber(Indicator indicator)
{
    return static_cast<int>(indicator);
}

// Accepts exactly -1..3.
std::optional<Indicator> indicatorFromStoredNumber(int raw);

// The display text: the default description and the phrase in alerts.
QString label(Indicator indicator);

// The lower-case word used in machine-readable output ("unknown", "none", ...).
QString indicatorName(Indicator indicator);

// Maps a Statuspage-style indicator word ("none", "minor", "maintenance", "major",
// "critical", in any letter case, untrimmed) to a severity; anything else is Unknown.
Indicator indicatorFromStatuspageWord(const QString &word);

// The one colour of each state as "#rrggbb": the tray meter's, the glyphs' and the status
// bars'. Mid-tone hues that keep enough contrast on light and dark panels; grey for Unknown.
QString stateColorName(Indicator indicator);
