// The body of wynrelay.exe: the Windows side of OutputRelay. Free of Qt, so
// that it starts at once and loads nothing beside it.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "platform/output_relay.h"
#include "platform/relay_loop.h"

namespace wyn {

namespace {

// How long the relay tries to begin a new log that another WYN has open just
// then, looking for a free slot (it lets go at once when it finds this one busy).
constexpr int kOpenTries = 200;
constexpr DWORD kOpenPause = 10;

bool writeAll(HANDLE log, const char* bytes, std::size_t count) {
    while (count > 0) {
        DWORD written = 0;
        if (::WriteFile(log, bytes, static_cast<DWORD>(count), &written, nullptr) == 0 ||
            written == 0) {
            return false;
        }
        bytes += written;
        count -= written;
    }
    return true;
}

// The next piece of the pipe; 0 once every writer is gone.
std::size_t readPiece(HANDLE input, char* buffer, std::size_t capacity) {
    for (;;) {
        DWORD got = 0;
        if (::ReadFile(input, buffer, static_cast<DWORD>(capacity), &got, nullptr) == 0) {
            return 0;
        }
        // A writer's empty write reads as nothing: the pipe goes on.
        if (got > 0) {
            return got;
        }
    }
}

// NAME becomes NAME.1 and a new NAME begins, opened as WYN opens a log it
// takes (game_log_windows.cpp). The old log stays open until the new one is,
// so a program looking for a free log never finds both free. A rotated part
// another program has open (an editor showing it) cannot be replaced now:
// the log goes on, and the next piece tries again.
Rotation rotate(HANDLE& log, const std::wstring& path, const std::wstring& rotated) {
    if (::MoveFileExW(path.c_str(), rotated.c_str(), MOVEFILE_REPLACE_EXISTING) == 0) {
        return Rotation::Postponed;
    }
    HANDLE next = INVALID_HANDLE_VALUE;
    for (int tries = 0; tries < kOpenTries; ++tries) {
        next = ::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                             nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (next != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_SHARING_VIOLATION) {
            break;
        }
        ::Sleep(kOpenPause);
    }
    ::CloseHandle(log);
    log = next;
    return next != INVALID_HANDLE_VALUE ? Rotation::Done : Rotation::Lost;
}

}  // namespace

int runOutputRelay() {
    int argumentCount = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &argumentCount);
    if (arguments == nullptr || argumentCount != 2) {
        return 2;
    }
    const std::wstring path = arguments[1];
    const std::wstring rotated = path + L".1";
    ::LocalFree(arguments);
    const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
    HANDLE log = ::GetStdHandle(STD_OUTPUT_HANDLE);
    LARGE_INTEGER size{};
    ::GetFileSizeEx(log, &size);
    static char piece[kPieceSize];
    relayToLog(
        piece, sizeof piece, size.QuadPart,
        [input](char* buffer, std::size_t capacity) { return readPiece(input, buffer, capacity); },
        [&log](const char* bytes, std::size_t count) { return writeAll(log, bytes, count); },
        [&log, &path, &rotated] { return rotate(log, path, rotated); });
    return 0;
}

}  // namespace wyn
