#include <QByteArray>
#include <QFile>

#include <cstdlib>

#include "platform/system_path.h"

namespace wyn {

QString toSystemPath(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string fromSystemPath(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace wyn
