#include <iostream>
#include <string>
#include <vector>

#include <QCoreApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

#include "app/foreground_game.h"
#include "app/wynctl.h"
#include "platform/process_game_starter.h"
#include "platform/system_path.h"

namespace {

// The arguments as the core keeps texts. Windows gives main() its arguments in
// the ANSI code page, which cannot hold every name: there they are taken from
// the UTF-16 command line, and what wynctl prints is UTF-8 to the console too.
std::vector<std::string> arguments([[maybe_unused]] int argc, [[maybe_unused]] char* argv[]) {
#ifdef Q_OS_WIN
    ::SetConsoleOutputCP(CP_UTF8);
    std::vector<std::string> args;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        args.push_back(wyn::fromSystemPath(argument));
    }
    return args;
#else
    return {argv + 1, argv + argc};
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const std::vector<std::string> args = arguments(argc, argv);
    wyn::ProcessGameStarter starter;
    wyn::ForegroundGame foreground;
    return wyn::runWynctl(args, std::cout, std::cerr, starter, foreground);
}
