#include "store/list_codec.h"

namespace wyn {

void TBrkApart::Split() {
    StringList.clear();
    std::string::size_type start = 0;
    while (true) {
        const auto found =
            BreakString.empty() ? std::string::npos : BaseString.find(BreakString, start);
        const auto end = found == std::string::npos ? BaseString.size() : found;
        if (end > start || AllowEmptyString) {
            StringList.push_back(BaseString.substr(start, end - start));
        }
        if (found == std::string::npos) {
            return;
        }
        start = found + BreakString.size();
    }
}

void TBrkApart::Join() {
    BaseString.clear();
    if (StringList.empty()) {
        return;
    }
    BaseString = StringList.front();
    for (std::size_t i = 1; i < StringList.size(); ++i) {
        if (!StringList[i].empty() || AllowEmptyString) {
            BaseString += BreakString;
            BaseString += StringList[i];
        }
    }
}

std::vector<std::string> splitList(const std::string& text, const std::string& separator,
                                   bool allowEmpty) {
    TBrkApart codec;
    codec.BaseString = text;
    codec.BreakString = separator;
    codec.AllowEmptyString = allowEmpty;
    codec.Split();
    return std::move(codec.StringList);
}

std::string joinList(const std::vector<std::string>& items, const std::string& separator,
                     bool allowEmpty) {
    TBrkApart codec;
    codec.StringList = items;
    codec.BreakString = separator;
    codec.AllowEmptyString = allowEmpty;
    codec.Join();
    return std::move(codec.BaseString);
}

}  // namespace wyn
