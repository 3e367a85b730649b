#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/platform_profile.h"

namespace wyn {

enum class MapType { General, CTF, External };
inline constexpr std::array<MapType, 3> kMapTypes{MapType::General, MapType::CTF,
                                                  MapType::External};
const char* mapTypeName(MapType type);  // "General", "CTF", "External"

// The three map lists, indexed by MapType.
using MapLists = std::array<std::vector<std::string>, 3>;

// A pak file that must be present: its directory below the game directory and its name.
struct PakCondition {
    std::string_view directory;
    std::string_view file;
};

// One row of the known-map table: the maps a pak file brings.
struct KnownMapRow {
    MapType list;
    PakCondition pak;
    // The CTF packs need a copy of their pak in the add-on directory too.
    std::optional<PakCondition> addOnCopy;
    std::vector<std::string_view> maps;
};

const std::vector<KnownMapRow>& knownMapTable();

// The folders an engine reads the game from, first wins: its user folder,
// then the game directory, always the last (engineRoots). Content found in
// any of them is offered as if it were in the game directory; a name in two
// of them is listed once.
using GameRoots = std::vector<std::string>;

bool pakPresent(const GameRoots& roots, const PakCondition& pak, const PlatformProfile& profile);

// The loose maps of baseq2/maps: lower case, first ".bsp" removed, ordered by
// name ignoring case.
std::vector<std::string> listLooseMaps(const GameRoots& roots, const PlatformProfile& profile);

// The map lists of a game directory; nothing when it is not a directory (the
// lists then keep what they hold).
std::optional<MapLists> ScanMaps(const GameRoots& roots, const PlatformProfile& profile);

// The extra scripts of baseq2 that can be executed at launch: lower case,
// without ".cfg", the game's own three left out.
std::vector<std::string> ListExtraConfigs(const GameRoots& roots, const PlatformProfile& profile);

// The same for the game directory alone.
inline bool pakPresent(const std::string& gameDirectory, const PakCondition& pak,
                       const PlatformProfile& profile) {
    return pakPresent(GameRoots{gameDirectory}, pak, profile);
}
inline std::vector<std::string> listLooseMaps(const std::string& gameDirectory,
                                              const PlatformProfile& profile) {
    return listLooseMaps(GameRoots{gameDirectory}, profile);
}
inline std::optional<MapLists> ScanMaps(const std::string& gameDirectory,
                                        const PlatformProfile& profile) {
    return ScanMaps(GameRoots{gameDirectory}, profile);
}
inline std::vector<std::string> ListExtraConfigs(const std::string& gameDirectory,
                                                 const PlatformProfile& profile) {
    return ListExtraConfigs(GameRoots{gameDirectory}, profile);
}

}  // namespace wyn
