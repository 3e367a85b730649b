#include "platform/qt_text.h"

#include <QByteArrayView>
#include <QStringDecoder>
#include <algorithm>
#include <optional>

namespace wyn {

namespace {

QByteArrayView bytesOf(std::string_view text) {
    return {text.data(), static_cast<qsizetype>(text.size())};
}

std::string toStd(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

}  // namespace

QString toQt(std::string_view text) {
    // A leading byte-order mark stays a character, so the text goes back
    // whole; QString::fromUtf8 would drop it.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(bytesOf(text));
    if (!utf8.hasError()) {
        return decoded;
    }
    return QString::fromLatin1(bytesOf(text));
}

QStringList toQt(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto& text : texts) {
        list.push_back(toQt(text));
    }
    return list;
}

std::string fromQt(const QString& text) {
    return toStd(text.toUtf8());
}

std::optional<std::string> oneByteEach(const QString& text) {
    const bool fits =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xff; });
    if (!fits) {
        return std::nullopt;
    }
    return toStd(text.toLatin1());
}

std::string fromQt(const QString& text, const std::vector<std::string>& shown) {
    std::string utf8 = fromQt(text);
    // Only bytes that are not UTF-8 are shown one a character.
    auto latin1 = oneByteEach(text);
    if (latin1 && bytesOf(*latin1).isValidUtf8()) {
        latin1.reset();
    }
    const auto found = std::find_if(shown.begin(), shown.end(), [&](const std::string& bytes) {
        return bytes == utf8 || bytes == latin1;
    });
    return found != shown.end() ? *found : utf8;
}

}  // namespace wyn
