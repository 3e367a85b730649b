#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/ctl_news.h"
#include "finger_server.h"

namespace wyn {
namespace {

using test::FingerServer;

struct CtlNews : ::testing::Test {
    int run(const CtlArguments& args) {
        CtlContext context{"", "", PlatformProfile::posix(), store, out, err};
        return ctlNews(context, args);
    }

    MemoryValueStore store;
    std::ostringstream out;
    std::ostringstream err;
};

const std::string kReply = test::fingerReply({"Login: wyn", "Name: WYN", "Directory: /home/wyn",
                                              "No mail.", "", "Plan:", "News", "Plan: x", "more"});

TEST_F(CtlNews, PrintsTheNewsLines) {
    FingerServer server(FingerServer::replying(kReply));
    EXPECT_EQ(run({"dev@127.0.0.1", "--port", std::to_string(server.port())}), kExitOk);
    EXPECT_EQ(out.str(), "News\nmore\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(server.request(), "dev\r\n");
}

TEST_F(CtlNews, RawPrintsTheReplyWithoutCarriageReturns) {
    FingerServer server(FingerServer::replying("one\r\ntwo"));
    EXPECT_EQ(
        run({"--raw", "--timeout", "0", "dev@127.0.0.1", "--port", std::to_string(server.port())}),
        kExitOk);
    EXPECT_EQ(out.str(), "one\ntwo");
}

TEST_F(CtlNews, RunsTheConfiguredQuery) {
    FingerServer server(FingerServer::replying(kReply));
    store.writeValue("DevNewsQuery", "configured@127.0.0.1");
    EXPECT_EQ(run({"--port", std::to_string(server.port())}), kExitOk);
    EXPECT_EQ(server.request(), "configured\r\n");
}

TEST_F(CtlNews, FailurePrintsTheMessageWithAFullStop) {
    EXPECT_EQ(
        run({"dev@127.0.0.1", "--timeout", "1", "--port", std::to_string(test::refusedPort())}),
        kExitFailure);
    EXPECT_EQ(err.str(), "Winsock error no 10061.\n");
    EXPECT_EQ(out.str(), "");

    err.str("");
    EXPECT_EQ(run({"dev"}), kExitFailure);
    EXPECT_EQ(err.str(), "Invalid query string format.\r\nValid format is user@domain.\n");
}

TEST_F(CtlNews, WrongArgumentsPrintTheUsage) {
    const CtlArguments cases[] = {
        {"--port"},          {"--port", "0"},     {"--port", "65536"}, {"--port", "x"},
        {"--timeout", "-1"}, {"--timeout", "1s"}, {"a@b", "c@d"},      {"--verbose"},
    };
    for (const auto& args : cases) {
        err.str("");
        EXPECT_EQ(run(args), kExitUsage) << args[0];
        EXPECT_EQ(err.str().rfind("usage: wynctl news", 0), 0u);
    }
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace wyn
