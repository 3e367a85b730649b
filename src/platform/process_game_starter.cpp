#include "platform/process_game_starter.h"

#include <QProcess>

#include <chrono>

#include "platform/system_path.h"

namespace wyn {

namespace {

// The arguments are paths or settings: as the game reads them, in the
// system's encoding.
QStringList argumentList(const StartRequest& request) {
    QStringList arguments;
    for (const auto& argument : request.arguments) {
        arguments << toSystemPath(argument);
    }
    return arguments;
}

}  // namespace

void setUpProcess(QProcess& process, const StartRequest& request) {
    process.setProgram(toSystemPath(request.program));
    process.setArguments(argumentList(request));
    process.setWorkingDirectory(toSystemPath(request.workingDirectory));
}

GameEnd processEnd(const QProcess& process, const StartRequest& request,
                   std::chrono::milliseconds runTime) {
    GameEnd end;
    end.request = request;
    end.runTime = runTime;
    recordExit(process, end);
    return end;
}

bool ProcessGameStarter::start(const StartRequest& request) {
    return QProcess::startDetached(toSystemPath(request.program), argumentList(request),
                                   toSystemPath(request.workingDirectory));
}

}  // namespace wyn
