#include "app/foreground_game.h"

#include <QProcess>

#include <chrono>

#include "platform/foreground_signals.h"
#include "platform/process_game_starter.h"

namespace wyn {

std::optional<GameEnd> ForegroundGame::run(const StartRequest& request) {
    QProcess process;
    setUpProcess(process, request);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    ForegroundSignals handling;
    const auto started = std::chrono::steady_clock::now();
    process.start();
    if (!process.waitForStarted(-1)) {
        return std::nullopt;
    }
    handling.gameStarted(process.processId());
    process.waitForFinished(-1);
    return processEnd(process, request,
                      std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - started));
}

}  // namespace wyn
