#include "platform/qt_text.h"

#include <QByteArrayView>
#include <QStringDecoder>

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

}  // namespace wyn
