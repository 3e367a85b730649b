#include "content/map_catalogue.h"

#include <algorithm>

#include "base/file_system.h"
#include "base/text.h"
#include "content/installation.h"

namespace wyn {

const char* mapTypeName(MapType type) {
    switch (type) {
        case MapType::General:
            return "General";
        case MapType::CTF:
            return "CTF";
        case MapType::External:
            break;
    }
    return "External";
}

const std::vector<KnownMapRow>& knownMapTable() {
    static const std::vector<KnownMapRow> table{
        {MapType::General,
         {"baseq2", "pak0.pak"},
         std::nullopt,
         {"base1",   "base2", "base3",   "biggun", "boss1",  "boss2",  "bunk1",    "city1",
          "city2",   "city3", "command", "cool1",  "fact1",  "fact2",  "fact3",    "hangar1",
          "hangar2", "jail1", "jail2",   "jail3",  "jail4",  "jail5",  "lab",      "mine1",
          "mine2",   "mine3", "mine4",   "mintro", "power1", "power2", "security", "space",
          "strike",  "train", "ware1",   "ware2",  "waste1", "waste2", "waste3"}},
        {MapType::General,
         {"baseq2", "pak1.pak"},
         std::nullopt,
         {"q2dm1", "q2dm2", "q2dm3", "q2dm4", "q2dm5", "q2dm6", "q2dm7", "q2dm8"}},
        {MapType::CTF,
         {"ctf", "pak0.pak"},
         PakCondition{"vantor", "pak0.pak"},
         {"q2ctf1", "q2ctf2", "q2ctf3", "q2ctf4", "q2ctf5"}},
        {MapType::CTF,
         {"lmctf", "pak5.pak"},
         PakCondition{"vantor", "pak5.pak"},
         {"lmctf01", "lmctf02", "lmctf03", "lmctf04", "lmctf05", "lmctf06", "lmctf07", "lmctf08",
          "lmctf09", "lmctf10"}},
    };
    return table;
}

bool pakPresent(const GameRoots& roots, const PakCondition& pak, const PlatformProfile& profile) {
    return std::ranges::any_of(roots, [&](const std::string& root) {
        return FindInDirectory(std::string(pak.file), profile.path(root, {pak.directory}), profile);
    });
}

namespace {

// The names of each root's files of a baseq2 folder that match the mask,
// lower case and without the extension, merged.
std::vector<std::string> listNames(const GameRoots& roots,
                                   std::initializer_list<std::string_view> folder,
                                   std::string_view mask, std::string_view extension,
                                   const PlatformProfile& profile) {
    std::vector<std::vector<std::string>> listings;
    for (const auto& root : roots) {
        auto& names = listings.emplace_back();
        for (const auto& file : listFiles(profile.path(root, folder), mask)) {
            names.push_back(removeFirst(toLower(file), extension));
        }
    }
    return mergedNames(std::move(listings));
}

}  // namespace

std::vector<std::string> listLooseMaps(const GameRoots& roots, const PlatformProfile& profile) {
    return listNames(roots, {"baseq2", "maps"}, "*.bsp", ".bsp", profile);
}

std::optional<MapLists> ScanMaps(const GameRoots& roots, const PlatformProfile& profile) {
    if (roots.empty() || !directoryExists(roots.back())) {
        return std::nullopt;
    }
    MapLists lists;
    for (const auto& row : knownMapTable()) {
        if (pakPresent(roots, row.pak, profile) &&
            (!row.addOnCopy || pakPresent(roots, *row.addOnCopy, profile))) {
            auto& list = lists[static_cast<int>(row.list)];
            list.insert(list.end(), row.maps.begin(), row.maps.end());
        }
    }
    lists[static_cast<int>(MapType::External)] = listLooseMaps(roots, profile);
    return lists;
}

std::vector<std::string> ListExtraConfigs(const GameRoots& roots, const PlatformProfile& profile) {
    auto configs = listNames(roots, {"baseq2"}, "*.cfg", ".cfg", profile);
    std::erase_if(configs, [](const std::string& name) {
        return name == "config" || name == "gamespy" || name == "autoexec";
    });
    return configs;
}

}  // namespace wyn
