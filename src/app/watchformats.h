#pragma once

#include "monitor/overview.h"

#include <QString>

#include <optional>

// The lines `glinter --watch` prints for status bars, one per state, as pure functions of
// the overview. Text from services.json and the feeds stays text in every format.
enum class WatchFormat {
    // waybar's custom module with "return-type": "json".
    Waybar,
    // i3blocks with format=json, and other consumers of i3bar's protocol.
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
