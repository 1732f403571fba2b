#pragma once

#include "monitor/overview.h"

#include <QString>

#include <optional>

// The lines `glinter --watch` prints for status bars, one per state, as pure functions of
// the overview. Text from services.json and the feeds stays text in every format, and stays
// on its line, escaped and cut, in the texts a bar shows. Before the first result the line
// says "checking" rather than reporting every service unreachable.
enum class WatchFormat {
    // waybar's custom module with "return-type": "json".
    Waybar,
    // i3blocks with format=json: one block per line (i3bar itself reads a protocol of its
    // own, from a status command such as i3blocks).
    I3blocks,
    // polybar's custom/script module, with %{F} colour tags.
    Polybar,
    // The Services entries and the summary, for scripts.
    Json,
};

// "waybar", "i3blocks", "polybar" or "json".
std::optional<WatchFormat> watchFormatFromName(const QString &name);

// One line, without its newline.
QString watchLine(const Overview &view, WatchFormat format);

// What a status bar shows in little room: the number of troubled services, or a glyph.
QString watchGlyph(const Overview &view);

// Escapes what Pango markup reads as markup.
QString pangoEscaped(const QString &text);
