#pragma once

#include "metrics/listenaddress.h"

#include <optional>

// `glinter --headless`: the whole monitor without any window or tray, for machines and
// window managers without a tray (run it as a user service). It prints one line per
// applied change of a service's state or of the list, and ends cleanly on SIGINT or
// SIGTERM. Returns the process's exit status.
namespace Headless {

struct Options {
    // Serve the monitor's state for Prometheus at this address.
    std::optional<ListenAddress> metricsListen;
};

// Exit status when it cannot run: the metrics address cannot be listened on, or Glinter
// already runs in this session.
constexpr int kCannotRun = 3;

int run(const Options &options = {});

} // namespace Headless
