#pragma once

namespace vantrel {
class GuardedApplication;
}

namespace vantrel::mdlVantrel {

// The program's start-up: language pack, then the main window and its load.
// Runs the event loop and returns the exit code.
int Main(GuardedApplication &app);

} // namespace vantrel::mdlVantrel
