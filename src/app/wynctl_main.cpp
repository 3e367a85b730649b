#include <iostream>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "app/foreground_game.h"
#include "app/wynctl.h"
#include "platform/command_line.h"
#include "platform/process_game_starter.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    // What wynctl prints is UTF-8, as the core keeps texts.
    const wyn::Utf8Console console;
    const std::vector<std::string> args = wyn::programArguments(argc, argv);
    wyn::ProcessGameStarter starter;
    wyn::ForegroundGame foreground;
    return wyn::runWynctl(args, std::cout, std::cerr, starter, foreground);
}
