// A stand-in for quake2.exe: writes where and how it was started to
// started.txt beside itself (UTF-8), prints a line for the game's log, and
// exits with the code in WYN_STAND_IN_EXIT. For the log's tests, with
// WYN_STAND_IN_NAME it names itself in that line, with WYN_STAND_IN_WAIT it
// then waits (up to a minute) for that file to exist, and with
// WYN_STAND_IN_LINES it prints that many numbered lines.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string utf8(const std::wstring& text) {
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

void waitFor(const wchar_t* file) {
    for (int waited = 0; waited < 600 && ::GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES;
         ++waited) {
        ::Sleep(100);
    }
}

}  // namespace

int main() {
    wchar_t buffer[4096];
    ::GetModuleFileNameW(nullptr, buffer, 4096);
    std::wstring record = buffer;
    record.resize(record.find_last_of(L'\\') + 1);
    record += L"started.txt";

    ::GetCurrentDirectoryW(4096, buffer);
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    // Appended piece by piece: GCC 12 sees a false overlap (-Wrestrict) in
    // "literal" + std::string&&.
    std::string text = "directory: ";
    text += utf8(buffer);
    text += "\narguments:";
    for (int i = 1; i < count; ++i) {
        text += ' ';
        text += utf8(arguments[i]);
    }
    text += "\n";
    if (FILE* file = ::_wfopen(record.c_str(), L"wb")) {
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
    }
    const char* name = std::getenv("WYN_STAND_IN_NAME");
    std::printf("stand-in game: started%s%s\n", name != nullptr ? " " : "",
                name != nullptr ? name : "");
    std::fflush(stdout);
    if (const wchar_t* release = ::_wgetenv(L"WYN_STAND_IN_WAIT")) {
        waitFor(release);
    }
    const char* lines = std::getenv("WYN_STAND_IN_LINES");
    for (int line = 1, last = lines != nullptr ? std::atoi(lines) : 0; line <= last; ++line) {
        std::printf("line %06d\n", line);
    }
    const char* exitCode = std::getenv("WYN_STAND_IN_EXIT");
    return exitCode != nullptr ? std::atoi(exitCode) : 0;
}
