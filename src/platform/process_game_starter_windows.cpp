#include <windows.h>
#include <winternl.h>

#include <QProcess>
#include <QString>

#include "platform/process_game_starter.h"
#include "platform/qt_text.h"

namespace wyn {

namespace {

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

}  // namespace

void recordExit(const QProcess& process, GameEnd& end) {
    end.exitCode = process.exitCode();
    end.exitMeaning = systemStatusText(static_cast<unsigned long>(end.exitCode));
}

}  // namespace wyn
