#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "base/errors.h"
#include "base/platform_profile.h"
#include "base/value_store.h"
#include "finger_server.h"
#include "news/dev_news.h"
#include "news/news_text.h"
#include "temp_dir.h"

namespace wyn {
namespace {

using Lines = std::vector<std::string>;
using test::FingerServer;

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

// A fixed day-first date format and 24-hour time format.
DateTimeFormat fixedFormat() {
    return {[](const LocalDateTime& t) {
                return twoDigits(t.day) + "/" + twoDigits(t.month) + "/" + std::to_string(t.year);
            },
            [](const LocalDateTime& t) {
                return twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
            }};
}

constexpr LocalDateTime kUpdateTime{2024, 3, 4, 10, 11, 12, 0};
constexpr const char* kUpdateCaption = "Last Updated: 04/03/2024 10:11:12";

// The terminal text of a reply: the six header lines, then the given lines.
std::string withHeader(std::string_view body) {
    return "Login: wyn\nDirectory: /home/wyn\nShell: /bin/sh\nNever logged in.\nNo mail.\n" +
           std::string("Plan:\n") + std::string(body);
}

TEST(ExtractNews, SkipsTheHeaderAndPlanLines) {
    struct Case {
        std::string reply;
        Lines news;
    };
    const Case cases[] = {
        // ten lines, the sixth "Plan:": lines 6 to 9
        {withHeader("one\ntwo\nthree\nfour\n"), {"one", "two", "three", "four"}},
        // the seventh line "Plan:" is dropped too
        {"0\n1\n2\n3\n4\n5\nPlan:\nnews\n", {"news"}},
        // anywhere inside the line, case-sensitive
        {withHeader("My Plan: none\nthe plan: this\nPLAN: loud\n"),
         {"the plan: this", "PLAN: loud"}},
        {"0\n1\n2\n3\n4\n5\n", {}},
        {"0\n1\n2\n", {}},
        {"", {}},
        // the empty line after the last line feed does not count, an empty line before it does
        {"0\n1\n2\n3\n4\n5\n\n", {""}},
        {withHeader("last without line feed"), {"last without line feed"}},
        {withHeader("\nafter blank\n\n"), {"", "after blank", ""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(extractNews(c.reply), c.news) << c.reply;
    }
}

TEST(LastUpdatedCaption, LeavesOutTheTimeOnlyAtExactlyMidnight) {
    const auto format = fixedFormat();
    EXPECT_EQ(lastUpdatedCaption(kUpdateTime, format), kUpdateCaption);
    EXPECT_EQ(lastUpdatedCaption({2024, 12, 31, 0, 0, 0, 0}, format), "Last Updated: 31/12/2024");
    EXPECT_EQ(lastUpdatedCaption({2024, 12, 31, 0, 0, 0, 1}, format),
              "Last Updated: 31/12/2024 00:00:00");
    EXPECT_EQ(lastUpdatedCaption({2024, 12, 31, 0, 0, 1, 0}, format),
              "Last Updated: 31/12/2024 00:00:01");
}

TEST(NewsSettings, QueryAndCachePath) {
    MemoryValueStore store;
    EXPECT_EQ(configuredNewsQuery(store), kDefaultNewsQuery);
    store.writeValue("DevNewsQuery", "dev@news.example");
    EXPECT_EQ(configuredNewsQuery(store), "dev@news.example");

    const auto windows = PlatformProfile::windows();
    EXPECT_EQ(newsCachePath(windows, "c:\\wyn"), "c:\\wyn\\devnews.dat");
    EXPECT_EQ(newsCachePath(windows, "c:\\wyn\\"), "c:\\wyn\\devnews.dat");
    EXPECT_EQ(newsCachePath(PlatformProfile::posix(), "/opt/wyn"), "/opt/wyn/devnews.dat");
}

// The window's news logic over a temporary program directory.
struct NewsFixture : ::testing::Test {
    std::unique_ptr<DevNews> makeNews(std::uint16_t port) {
        auto news = std::make_unique<DevNews>(store, PlatformProfile::posix(), dir.str(),
                                              fixedFormat(), [] { return kUpdateTime; });
        news->finger().setPort(port);
        news->finger().setTimeOut(1);
        return news;
    }

    // Update that returns the error text, "" when it worked.
    static std::string update(DevNews& news, const ProcessEvents& events = {}) {
        try {
            news.update(events);
            return {};
        } catch (const WynError& error) {
            return error.what();
        }
    }

    test::TempDir dir;
    MemoryValueStore store;
};

TEST_F(NewsFixture, FirstOpeningShowsNeverAndNoNews) {
    auto news = makeNews(0);
    news->open();
    EXPECT_EQ(news->lastUpdateCaption(), "Last Updated: Never");
    EXPECT_EQ(news->newsLines(), Lines{});
    EXPECT_TRUE(news->updateEnabled());
}

TEST_F(NewsFixture, UpdateAndCloseAreWhatTheNextOpeningShows) {
    store.writeValue("DevNewsQuery", "dev@127.0.0.1");
    FingerServer server(FingerServer::replying(
        test::fingerReply({"h0", "h1", "h2", "h3", "h4", "Plan:", "Version 3.6 is out", "",
                           "Plan: nothing", "See you"})));
    auto news = makeNews(server.port());
    news->open();
    EXPECT_EQ(update(*news), "");
    EXPECT_EQ(server.request(), "dev\r\n");
    const Lines expected{"Version 3.6 is out", "", "See you"};
    EXPECT_EQ(news->newsLines(), expected);
    EXPECT_EQ(news->lastUpdateCaption(), kUpdateCaption);

    EXPECT_TRUE(news->close());
    EXPECT_EQ(store.readValue("DevNewsUpdate"), kUpdateCaption);
    EXPECT_EQ(dir.read("devnews.dat"), "Version 3.6 is out\r\n\r\nSee you\r\n");

    auto reopened = makeNews(0);
    reopened->open();
    EXPECT_EQ(reopened->lastUpdateCaption(), kUpdateCaption);
    EXPECT_EQ(reopened->newsLines(), expected);
}

TEST_F(NewsFixture, ControlsAreDisabledWhileTheQueryRuns) {
    store.writeValue("DevNewsQuery", "dev@127.0.0.1");
    FingerServer server(FingerServer::replying(withHeader("fresh\n")));
    auto news = makeNews(server.port());
    news->open();
    int changes = 0;
    auto connection = news->onChange([&changes](const DevNewsChange&) { ++changes; });
    bool sawDisabled = false;
    bool closeRefused = false;
    EXPECT_EQ(update(*news,
                     [&] {
                         sawDisabled = news->querying() && !news->closeEnabled() &&
                                       !news->updateEnabled() && !news->newsEnabled();
                         news->update();  // a second click does nothing
                         closeRefused = !news->close();
                     }),
              "");
    EXPECT_TRUE(sawDisabled);
    EXPECT_TRUE(closeRefused);
    EXPECT_FALSE(std::filesystem::exists(dir / "devnews.dat"));
    EXPECT_FALSE(news->querying());
    EXPECT_EQ(news->newsLines(), Lines{"fresh"});
    EXPECT_GE(changes, 2);  // started, finished
}

TEST_F(NewsFixture, FailedUpdateKeepsTheNewsAndTheCaption) {
    const std::string cached = "Old news\r\nstill good\r\n";
    dir.write("devnews.dat", cached);
    store.writeValue("DevNewsUpdate", "Last Updated: 01/01/2020 08:00:00");
    const auto refused = test::refusedPort();
    for (const auto& [query, error] : {
             std::pair<std::string, std::string>{"dev@127.0.0.1", "Winsock error no 10061"},
             {"no at sign", "Invalid query string format.\r\nValid format is user@domain"},
         }) {
        store.writeValue("DevNewsQuery", query);
        auto news = makeNews(refused);
        news->open();
        EXPECT_EQ(update(*news), error);
        EXPECT_EQ(news->lastUpdateCaption(), "Last Updated: 01/01/2020 08:00:00");
        EXPECT_EQ(news->newsLines(), (Lines{"Old news", "still good"}));
        EXPECT_TRUE(news->updateEnabled());
        EXPECT_TRUE(news->close());
        EXPECT_EQ(dir.read("devnews.dat"), cached);
        EXPECT_EQ(store.readValue("DevNewsUpdate"), "Last Updated: 01/01/2020 08:00:00");
    }
}

TEST_F(NewsFixture, UpdateWithoutCloseSavesNothing) {
    dir.write("devnews.dat", "cached\r\n");
    store.writeValue("DevNewsUpdate", "Last Updated: 01/01/2020");
    store.writeValue("DevNewsQuery", "dev@127.0.0.1");
    {
        FingerServer server(FingerServer::replying(withHeader("new\n")));
        auto news = makeNews(server.port());
        news->open();
        EXPECT_EQ(update(*news), "");
        EXPECT_EQ(news->newsLines(), Lines{"new"});
    }
    auto reopened = makeNews(0);
    reopened->open();
    EXPECT_EQ(reopened->lastUpdateCaption(), "Last Updated: 01/01/2020");
    EXPECT_EQ(reopened->newsLines(), Lines{"cached"});
}

// The window that asked may be gone, and its news object with it, before the
// query's answer runs on its thread: the answer then does nothing, and the
// query's thread, still running, touches nothing that went.
TEST_F(NewsFixture, AnAnswerThatArrivesAfterItsOwnerIsGoneDoesNothing) {
    store.writeValue("DevNewsQuery", "dev@127.0.0.1");
    FingerServer server(FingerServer::replying(withHeader("late\n")));
    struct Mailbox {
        std::mutex mutex;
        std::condition_variable posted;
        std::function<void()> answer;
    };
    const auto mailbox = std::make_shared<Mailbox>();
    auto news = makeNews(server.port());
    news->startUpdate([mailbox](std::function<void()> answer) {
        const std::lock_guard lock(mailbox->mutex);
        mailbox->answer = std::move(answer);
        mailbox->posted.notify_one();
    });
    EXPECT_TRUE(news->querying());
    news.reset();
    std::unique_lock lock(mailbox->mutex);
    ASSERT_TRUE(mailbox->posted.wait_for(lock, std::chrono::seconds(10),
                                         [&] { return mailbox->answer != nullptr; }));
    mailbox->answer();
    EXPECT_EQ(server.request(), "dev\r\n");
}

// A query whose thread cannot start ends at once with its error, as a failed
// query does: the news and the caption stay, and a new query may start.
TEST_F(NewsFixture, AQueryWhoseThreadCannotStartEndsWithItsError) {
    dir.write("devnews.dat", "Old news\r\n");
    auto news = makeNews(0);
    news->open();
    news->setThreadStart([](std::function<void()>) {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    });
    bool posted = false;
    try {
        news->startUpdate([&posted](std::function<void()>) { posted = true; });
        FAIL() << "no error";
    } catch (const WynError& error) {
        EXPECT_STREQ(error.what(), "Cannot start the news query: Resource temporarily unavailable");
    }
    EXPECT_FALSE(posted);
    EXPECT_FALSE(news->querying());
    EXPECT_EQ(news->newsLines(), Lines{"Old news"});
    EXPECT_EQ(news->lastUpdateCaption(), "Last Updated: Never");
    EXPECT_TRUE(news->updateEnabled());
}

TEST(DevNews, UnwritableCacheReportsAfterStoringTheCaption) {
    test::TempDir dir;
    MemoryValueStore store;
    const auto missing = dir / "gone";
    DevNews news(store, PlatformProfile::posix(), missing, fixedFormat());
    news.open();
    try {
        news.close();
        FAIL();
    } catch (const WynError& error) {
        EXPECT_EQ(error.what(), "Cannot create file " + missing + "/devnews.dat");
    }
    EXPECT_EQ(store.readValue("DevNewsUpdate"), "Last Updated: Never");
}

}  // namespace
}  // namespace wyn
