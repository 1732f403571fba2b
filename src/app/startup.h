#pragma once

#include "app/displaychoice.h"
#include "net/networkenvironment.h"

#include <functional>
#include <memory>

class TerminationSignals;

// What every mode takes from the process's environment, read once at start-up; the parts
// below the application get what they need of it passed in.
struct StartupEnvironment {
    // Includes where sway listens, for the panel's placement too.
    DisplayEnvironment display;
    NetworkEnvironment::Options network;
    // GLINTER_OPEN_SETTINGS=1: the desktop application opens its settings window at start-up,
    // on the General tab with GLINTER_SETTINGS_TAB=general (exactly), else on Services.
    bool openSettings = false;
    bool settingsOnGeneralTab = false;

    static StartupEnvironment read();
};

// What every mode sets up the same way.
namespace Startup {

// Exit status of a mode that cannot run (as for a wrong argument): what --check says of a
// state it could not learn.
inline constexpr int kCannotRun = 3;

// Glinter and Qt in the user's language (LANGUAGE, LC_ALL, LC_MESSAGES, LANG), English when
// none of theirs is shipped. Output for machines (--check's state words, JSON keys, --watch's
// classes, metrics) never passes through a translation and stays the same in every language.
void speakUsersLanguage();

// The settings that let Glinter run against a local feed server, for every request it makes.
void applyNetwork(const StartupEnvironment &environment);

// SIGINT and SIGTERM (Ctrl+C, a logout, systemctl) end the event loop as Quit does, after
// `stopping` when given; nothing runs inside the signal handler itself. Kept for the run.
std::unique_ptr<TerminationSignals> quitOnTermination(std::function<void(int signalNumber)> stopping = {});

} // namespace Startup
