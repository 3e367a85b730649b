#include <iostream>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "app/foreground_game.h"
#include "app/wynctl.h"
#include "platform/process_game_starter.h"

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    wyn::ProcessGameStarter starter;
    wyn::ForegroundGame foreground;
    return wyn::runWynctl(args, std::cout, std::cerr, starter, foreground);
}
