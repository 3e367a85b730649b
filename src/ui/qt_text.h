#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include <QStringList>

namespace wyn {

// The core's texts are bytes; the windows show each byte as one character
// (Latin-1), so a text read from a file and written back keeps its bytes.
inline QString toQt(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A character beyond Latin-1 has no byte of its own: it becomes '?', as the
// files cannot hold it.
inline std::string fromQt(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

inline QStringList toQt(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto& text : texts) {
        list.push_back(toQt(text));
    }
    return list;
}

}  // namespace wyn
