#include <QtGlobal>

#include "base/text.h"
#include "platform/system_path.h"

namespace wyn {

// Windows names are UTF-16; the core keeps them as UTF-8, crossing as the
// core's own file calls cross (fileSystemPath), so both agree on any name.
QString toSystemPath(std::string_view path) {
    const std::u16string wide = utf16FromUtf8(path);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string fromSystemPath(const QString& path) {
    return utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(path.utf16()),
                                             static_cast<std::size_t>(path.size())));
}

// qEnvironmentVariable reads the UTF-16 environment here (_wgetenv).
std::string environmentValue(const char* name) {
    return fromSystemPath(qEnvironmentVariable(name));
}

}  // namespace wyn
