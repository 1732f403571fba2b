#pragma once

#include "app/checkcommand.h"
#include "app/headless.h"
#include "app/watchformats.h"

#include <QString>
#include <QStringList>

#include <variant>

// What `glinter` with arguments is asked to do, by the rules its options follow: each mode's
// options go with that mode only, and the modes exclude each other.
struct CommandLine {
    enum class Mode { Help, Version, Check, Headless, Watch };

    // Why the arguments ask for nothing that can run, and the exit status that says so.
    struct Refusal {
        QString message;
        int exitCode = CheckCommand::Unknown;
    };

    Mode mode = Mode::Check;
    CheckCommand::Options check;
    Headless::Options headless;
    WatchFormat watchFormat = WatchFormat::Waybar;
    // What --help prints.
    QString helpText;

    // The arguments as the process has them, its own name first.
    static std::variant<CommandLine, Refusal> parse(const QStringList &arguments);
};
