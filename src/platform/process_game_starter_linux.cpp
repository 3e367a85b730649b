#include <QProcess>

#include "platform/process_game_starter.h"

namespace wyn {

void recordExit(const QProcess& process, GameEnd& end) {
    // A crashed process's exit code is the number of the signal that ended it.
    if (process.exitStatus() == QProcess::CrashExit) {
        end.signal = process.exitCode();
        return;
    }
    end.exitCode = process.exitCode();
}

}  // namespace wyn
