#include <gtest/gtest.h>

#include "platform/qt_text.h"

namespace wyn {
namespace {

// How the core's bytes show, what the text typed by the user becomes, and
// that a text shown and left as it was goes back as the same bytes.
TEST(QtText, ShowsUtf8AsUtf8AndOtherBytesOneACharacter) {
    struct Case {
        const char* what;
        std::string bytes;
        QString shown;
        std::string typed;
    };
    const Case cases[] = {
        {"ASCII", "Quake II", QStringLiteral("Quake II"), "Quake II"},
        {"UTF-8", "J\xc3\xb6rg", QStringLiteral("J\u00f6rg"), "J\xc3\xb6rg"},
        {"Latin-1, not UTF-8", "J\xf6rg", QStringLiteral("J\u00f6rg"), "J\xc3\xb6rg"},
        {"a byte-order mark", "\xef\xbb\xbfx", QStringLiteral("\ufeffx"), "\xef\xbb\xbfx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(toQt(c.bytes), c.shown);
        EXPECT_EQ(fromQt(c.shown), c.typed);
        EXPECT_EQ(fromQt(c.shown, {"other", c.bytes}), c.bytes);
    }
}

}  // namespace
}  // namespace wyn
