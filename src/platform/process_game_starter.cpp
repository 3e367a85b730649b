#include "platform/process_game_starter.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace wyn {

namespace {

// Texts of the core are bytes shown one per character.
QString fromBytes(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool ProcessGameStarter::start(const StartRequest& request) {
    QStringList arguments;
    for (const auto& argument : request.arguments) {
        arguments << fromBytes(argument);
    }
    return QProcess::startDetached(fromBytes(request.program), arguments,
                                   fromBytes(request.workingDirectory));
}

}  // namespace wyn
