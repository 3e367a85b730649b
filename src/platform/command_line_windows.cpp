#include <windows.h>

#include <QCoreApplication>
#include <QStringList>

#include <atomic>
#include <cstdlib>

#include "platform/command_line.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

// The console's output code page before this program changed it; 0 while
// there is nothing to give back.
std::atomic<UINT> g_previousCodePage{0};

void restoreCodePage() {
    if (const UINT previous = g_previousCodePage.exchange(0); previous != 0) {
        ::SetConsoleOutputCP(previous);
    }
}

// Runs before the system's own handler, which then ends the program; a
// handler installed later (a foreground game's wait) runs first and may keep
// it running.
BOOL WINAPI restoreOnEnd(DWORD) {
    restoreCodePage();
    return FALSE;
}

}  // namespace

std::vector<std::string> programArguments(int, char*[]) {
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        arguments.push_back(fromSystemPath(argument));
    }
    return arguments;
}

// Without a console (output redirected, no console of its own) there is no
// code page to change.
Utf8Console::Utf8Console() {
    const UINT previous = ::GetConsoleOutputCP();
    if (previous == 0 || previous == CP_UTF8 || ::SetConsoleOutputCP(CP_UTF8) == 0) {
        return;
    }
    g_previousCodePage.store(previous);
    ::SetConsoleCtrlHandler(restoreOnEnd, TRUE);
    std::atexit(restoreCodePage);
}

Utf8Console::~Utf8Console() {
    restoreCodePage();
    ::SetConsoleCtrlHandler(restoreOnEnd, FALSE);
}

}  // namespace wyn
