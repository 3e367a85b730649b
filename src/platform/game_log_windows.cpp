#include <windows.h>

#include <string>

#include "platform/game_log.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

std::wstring wide(const std::string& path) {
    return toSystemPath(path).toStdWString();
}

// Whether another program holds the file open for writing, as a relay holds
// its log: opening it for reading without sharing writes then fails. A reader
// (an editor showing the log) shares writes, and does not count.
bool writtenElsewhere(const std::wstring& path) {
    const SystemFile probe(reinterpret_cast<SystemFile::Native>(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    return !probe.valid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

// The log is opened for writing and shared for reading only, so no other
// program's relay can write it while this one's does: another WYN's open
// fails with a sharing violation and tries the next slot. Sharing deletion
// lets the relay rename the log it writes when it rotates it.
SlotState takeSlot(TakenLog& log) {
    SystemFile file(reinterpret_cast<SystemFile::Native>(
        ::CreateFileW(wide(log.path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file.valid()) {
        return ::GetLastError() == ERROR_SHARING_VIOLATION ? SlotState::Busy : SlotState::Failed;
    }
    // A relay rotating its log holds the rotated part open until it holds the
    // new log, so the slot is never seen free in between.
    const std::wstring rotated = wide(rotatedLogPath(log.path));
    if (writtenElsewhere(rotated)) {
        return SlotState::Busy;
    }
    // A stale rotated part that cannot go would end up in this game's report.
    if (!::DeleteFileW(rotated.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
        return SlotState::Busy;
    }
    const auto handle = reinterpret_cast<HANDLE>(file.get());
    if (::SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_BEGIN) == 0 ||
        ::SetEndOfFile(handle) == 0) {
        return SlotState::Failed;
    }
    log.file = std::move(file);
    return SlotState::Taken;
}

}  // namespace wyn
