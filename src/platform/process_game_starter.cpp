#include "platform/process_game_starter.h"

#include <QProcess>

#include <chrono>

#ifdef Q_OS_WIN
#include <windows.h>
#include <winternl.h>
#endif

#include "platform/qt_text.h"
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

#ifdef Q_OS_WIN
QString formatMessage(DWORD flags, HMODULE module, DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(flags | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                         module, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString words =
        length > 0 ? QString::fromWCharArray(text, static_cast<qsizetype>(length)) : QString();
    ::LocalFree(text);
    return words;
}

// What Windows says of an exit code that is one of its status values (a
// program that could not load a library, a crash), as FormatMessage has it,
// in one line; empty for a code the game chose itself. ntdll's own words
// first, else those of the system error the status stands for.
std::string systemStatusText(unsigned long code) {
    if (code < 0xC0000000ul) {
        return {};
    }
    QString words =
        formatMessage(FORMAT_MESSAGE_FROM_HMODULE, ::GetModuleHandleW(L"ntdll.dll"), code);
    if (words.isEmpty()) {
        const ULONG error = ::RtlNtStatusToDosError(static_cast<NTSTATUS>(code));
        if (error != ERROR_MR_MID_NOT_FOUND) {
            words = formatMessage(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, error);
        }
    }
    // "{Title}" lines and line breaks go: the report shows one line.
    if (words.startsWith(QLatin1Char('{'))) {
        words = words.mid(words.indexOf(QLatin1Char('}')) + 1);
    }
    return fromQt(words.simplified());
}
#endif

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
#ifdef Q_OS_UNIX
    // A crashed process's exit code is the number of the signal that ended it.
    if (process.exitStatus() == QProcess::CrashExit) {
        end.signal = process.exitCode();
        return end;
    }
#endif
    end.exitCode = process.exitCode();
#ifdef Q_OS_WIN
    end.exitMeaning = systemStatusText(static_cast<unsigned long>(end.exitCode));
#endif
    return end;
}

bool ProcessGameStarter::start(const StartRequest& request) {
    return QProcess::startDetached(toSystemPath(request.program), argumentList(request),
                                   toSystemPath(request.workingDirectory));
}

}  // namespace wyn
