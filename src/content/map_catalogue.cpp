#include "content/map_catalogue.h"

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

bool pakPresent(const std::string& gameDirectory, const PakCondition& pak,
                const PlatformProfile& profile) {
    return FindInDirectory(std::string(pak.file), profile.path(gameDirectory, {pak.directory}),
                           profile);
}

std::vector<std::string> listLooseMaps(const std::string& gameDirectory,
                                       const PlatformProfile& profile) {
    std::vector<std::string> maps;
    for (const auto& file : listFiles(profile.path(gameDirectory, {"baseq2", "maps"}), "*.bsp")) {
        maps.push_back(removeFirst(toLower(file), ".bsp"));
    }
    return maps;
}

std::optional<MapLists> ScanMaps(const std::string& gameDirectory, const PlatformProfile& profile) {
    if (!directoryExists(gameDirectory)) {
        return std::nullopt;
    }
    MapLists lists;
    for (const auto& row : knownMapTable()) {
        if (pakPresent(gameDirectory, row.pak, profile) &&
            (!row.addOnCopy || pakPresent(gameDirectory, *row.addOnCopy, profile))) {
            auto& list = lists[static_cast<int>(row.list)];
            list.insert(list.end(), row.maps.begin(), row.maps.end());
        }
    }
    lists[static_cast<int>(MapType::External)] = listLooseMaps(gameDirectory, profile);
    return lists;
}

std::vector<std::string> ListExtraConfigs(const std::string& gameDirectory,
                                          const PlatformProfile& profile) {
    std::vector<std::string> configs;
    for (const auto& file : listFiles(profile.path(gameDirectory, {"baseq2"}), "*.cfg")) {
        std::string name = removeFirst(toLower(file), ".cfg");
        if (name != "config" && name != "gamespy" && name != "autoexec") {
            configs.push_back(std::move(name));
        }
    }
    return configs;
}

}  // namespace wyn
