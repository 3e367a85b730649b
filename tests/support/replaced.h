#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wyn::test {

// The text with each placeholder replaced by its value.
inline std::string replaced(std::string text,
                            const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, value] : values) {
        for (auto at = text.find(name); at != std::string::npos;
             at = text.find(name, at + value.size())) {
            text.replace(at, name.size(), value);
        }
    }
    return text;
}

}  // namespace wyn::test
