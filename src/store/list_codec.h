#pragma once

#include <string>
#include <vector>

namespace wyn {

// Joins a list of names into one text with a separator and splits it back.
// No escaping: an item that contains the separator comes back as two items.
class TBrkApart {
public:
    std::string BaseString;
    std::string BreakString;
    bool AllowEmptyString = false;
    std::vector<std::string> StringList;

    // BaseString -> StringList (cleared first).
    void Split();
    // StringList -> BaseString.
    void Join();
};

// One-call forms for the common uses.
std::vector<std::string> splitList(const std::string& text, const std::string& separator,
                                   bool allowEmpty = false);
std::string joinList(const std::vector<std::string>& items, const std::string& separator,
                     bool allowEmpty = false);

// The main window's lists of names: one blank between names, empty names dropped.
inline std::vector<std::string> splitNames(const std::string& text) {
    return splitList(text, " ");
}
inline std::string joinNames(const std::vector<std::string>& names) {
    return joinList(names, " ");
}

}  // namespace wyn
