#pragma once

// `glinter --headless`: the whole monitor without any window or tray, for machines and
// window managers without a tray (run it as a user service). It prints one line per
// applied change of a service's state or of the list, and ends cleanly on SIGINT or
// SIGTERM. Returns the process's exit status.
namespace Headless {

int run();

} // namespace Headless
