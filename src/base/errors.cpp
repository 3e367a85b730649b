#include "base/errors.h"

namespace wyn {

void throwCannotOpenFile(const std::string& path) {
    throw WynError("Cannot open file " + path);
}

void throwCannotCreateFile(const std::string& path) {
    throw WynError("Cannot create file " + path);
}

void throwNotValidInteger(const std::string& text) {
    throw WynError("'" + text + "' is not a valid integer value");
}

std::string generalErrorText(const WynError& error) {
    return std::string(error.what()) + ".";
}

}  // namespace wyn
