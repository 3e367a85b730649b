#include <windows.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QWinEventNotifier>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/output_relay.h"
#include "platform/system_path.h"

namespace wyn {

namespace {

HANDLE handle(const SystemFile& file) {
    return reinterpret_cast<HANDLE>(file.get());
}

void setInherited(const SystemFile& file, bool inherited) {
    ::SetHandleInformation(handle(file), HANDLE_FLAG_INHERIT, inherited ? HANDLE_FLAG_INHERIT : 0);
}

// A command line argument as CreateProcess's reader splits it: quoted, with
// the backslashes before a quote doubled (a path holds no quote itself).
std::wstring quoted(const std::wstring& argument) {
    std::wstring text = L"\"" + argument;
    const std::size_t last = text.find_last_not_of(L'\\');
    text.append(text.size() - 1 - last, L'\\');
    return text + L"\"";
}

// Starts the relay program with the pipe's read end as its standard input and
// the log as its standard output, which it inherits and no other handle: a
// handle of the pipe's write end in the relay would keep it from ever seeing
// the game's output end, and a second handle of the log (as its standard
// error) would keep the log open past its rotation, where it cannot be
// replaced. Its working directory is the log's folder, so that it holds no
// other folder in use for as long as it runs.
SystemFile startRelay(const SystemFile& input, const SystemFile& log, const std::string& path) {
    const std::wstring program =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/wynrelay.exe")
            .toStdWString();
    std::wstring commandLine = quoted(program) + L" " + quoted(toSystemPath(path).toStdWString());
    const std::wstring folder =
        QDir::toNativeSeparators(QFileInfo(toSystemPath(path)).absolutePath()).toStdWString();

    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<std::byte> attributeSpace(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeSpace.data());
    if (::InitializeProcThreadAttributeList(attributes, 1, 0, &size) == 0) {
        return {};
    }
    HANDLE inherited[] = {handle(input), handle(log)};
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = handle(input);
    startup.StartupInfo.hStdOutput = handle(log);
    startup.StartupInfo.hStdError = nullptr;
    startup.lpAttributeList = attributes;
    PROCESS_INFORMATION started{};
    setInherited(input, true);
    setInherited(log, true);
    // No console at all: nothing to show, no Ctrl+C reaches it, and no console
    // host is started for it, which would hold the log open too (Wine's
    // does), past its rotation.
    const bool ok =
        ::UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited,
                                    sizeof inherited, nullptr, nullptr) != 0 &&
        ::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                         EXTENDED_STARTUPINFO_PRESENT | DETACHED_PROCESS, nullptr, folder.c_str(),
                         &startup.StartupInfo, &started) != 0;
    setInherited(input, false);
    setInherited(log, false);
    ::DeleteProcThreadAttributeList(attributes);
    if (!ok) {
        return {};
    }
    ::CloseHandle(started.hThread);
    return SystemFile(reinterpret_cast<SystemFile::Native>(started.hProcess));
}

}  // namespace

struct OutputRelay::Parts {
    // The game's end of the pipe, until the game holds it.
    SystemFile outputWrite;
    // The relay process, which is signalled when it has ended.
    SystemFile relay;
    std::unique_ptr<QWinEventNotifier> done;
};

OutputRelay::OutputRelay(std::unique_ptr<Parts> parts) : m_parts(std::move(parts)) {}

OutputRelay::~OutputRelay() = default;

// Every handle is made not inheritable, and is inherited only where it is
// named: the relay's two as it starts, the game's one as the game starts.
std::unique_ptr<OutputRelay> OutputRelay::make(SystemFile log, const std::string& path) {
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!log.valid() || ::CreatePipe(&read, &write, nullptr, 0) == 0) {
        return nullptr;
    }
    const SystemFile input(reinterpret_cast<SystemFile::Native>(read));
    auto parts = std::make_unique<Parts>();
    parts->outputWrite = SystemFile(reinterpret_cast<SystemFile::Native>(write));
    parts->relay = startRelay(input, log, path);
    if (!parts->relay.valid()) {
        return nullptr;
    }
    return std::unique_ptr<OutputRelay>(new OutputRelay(std::move(parts)));
}

void OutputRelay::childStarted() {
    m_parts->outputWrite.reset();
}

void OutputRelay::whenDone(QObject& context, std::function<void()> done) {
    m_parts->done = std::make_unique<QWinEventNotifier>(handle(m_parts->relay));
    QWinEventNotifier* notifier = m_parts->done.get();
    QObject::connect(notifier, &QWinEventNotifier::activated, &context,
                     [notifier, done = std::move(done)] {
                         notifier->setEnabled(false);
                         done();
                     });
}

void setUpWatchedGame(QProcess& game, OutputRelay* relay) {
    // The pipe takes the place of the null device in the game's start.
    game.setStandardOutputFile(QProcess::nullDevice());
    if (relay == nullptr) {
        return;
    }
    const HANDLE output = handle(relay->m_parts->outputWrite);
    game.setCreateProcessArgumentsModifier([output](QProcess::CreateProcessArguments* arguments) {
        ::SetHandleInformation(output, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        arguments->startupInfo->hStdOutput = output;
        arguments->startupInfo->hStdError = output;
        arguments->inheritHandles = TRUE;
    });
}

}  // namespace wyn
