// wynctl.exe prints UTF-8 and gives the console back the output code page it
// found, however it ends: the code page is the console's, and the shell that
// started wynctl.exe goes on with it.
#include <QCoreApplication>
#include <QProcess>

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <thread>

#include "windows_test.h"

namespace wyn::test {

namespace {

// The console's code page before wynctl.exe runs: neither Wine's nor UTF-8.
constexpr UINT kShellCodePage = 850;

BOOL WINAPI keepRunning(DWORD) {
    return TRUE;
}

}  // namespace

// In a console made for it: sets the console's output code page, runs
// wynctl.exe in the same console with the arguments after argv[2]
// (interrupted with Ctrl+C after a while when argv[2] is "--interrupt"), and
// prints the code page after its end.
int codePageAfterWynctl(int argc, char** argv) {
    ::SetConsoleOutputCP(kShellCodePage);
    std::wstring commandLine =
        L"\"" + besideTheTests(QStringLiteral("wynctl.exe")).toStdWString() + L"\"";
    for (int i = 3; i < argc; ++i) {
        commandLine += L" " + QString::fromLocal8Bit(argv[i]).toStdWString();
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION wynctl{};
    if (::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &wynctl) == 0) {
        return 1;
    }
    if (std::string(argv[2]) == "--interrupt") {
        ::Sleep(3000);
        ::SetConsoleCtrlHandler(keepRunning, TRUE);
        ::GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    }
    ::WaitForSingleObject(wynctl.hProcess, 60000);
    std::printf("code page %u\n", ::GetConsoleOutputCP());
    return 0;
}

namespace {

TEST(WynctlConsole, GivesBackTheCodePageItFoundHoweverItEnds) {
    // A news server that never answers: wynctl waits until Ctrl+C.
    asio::io_context context;
    asio::ip::tcp::acceptor acceptor(context,
                                     asio::ip::tcp::endpoint(asio::ip::address_v4::loopback(), 0));
    asio::ip::tcp::socket silent(context);
    std::thread server([&] {
        asio::error_code ignored;
        acceptor.accept(silent, ignored);
    });
    const QString port = QString::number(acceptor.local_endpoint().port());
    struct Case {
        const char* name;
        QStringList arguments;
    };
    const Case cases[] = {
        {"its end", {"--end", "--help"}},
        {"an error", {"--end", "--no-such-option"}},
        {"Ctrl+C", {"--interrupt", "news", "dev@127.0.0.1", "--port", port, "--timeout", "30"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess observer;
        // Its own console, as a shell's: the tests' console is not changed.
        observer.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
            arguments->flags |= CREATE_NO_WINDOW;
        });
        observer.start(QCoreApplication::applicationFilePath(),
                       QStringList{"--code-page-after"} + c.arguments);
        ASSERT_TRUE(observer.waitForFinished(90000));
        // The last line, after what wynctl.exe printed.
        const QByteArray output = observer.readAllStandardOutput().trimmed();
        EXPECT_EQ(output.mid(output.lastIndexOf('\n') + 1),
                  QByteArray("code page ") + QByteArray::number(kShellCodePage));
    }
    acceptor.close();
    server.join();
}

}  // namespace
}  // namespace wyn::test
