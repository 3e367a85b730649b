#include <windows.h>

#include "platform/foreground_signals.h"

namespace wyn {

namespace {

// A handler, not the ignoring SetConsoleCtrlHandler(nullptr, TRUE), which the
// game would inherit.
BOOL WINAPI waitOnBreak(DWORD event) {
    return event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT ? TRUE : FALSE;
}

}  // namespace

struct ForegroundSignals::Previous {};

ForegroundSignals::ForegroundSignals() {
    ::SetConsoleCtrlHandler(waitOnBreak, TRUE);
}

ForegroundSignals::~ForegroundSignals() {
    ::SetConsoleCtrlHandler(waitOnBreak, FALSE);
}

void ForegroundSignals::gameStarted(qint64) {}

}  // namespace wyn
