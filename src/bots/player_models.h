#pragma once

#include <string>
#include <vector>

#include "base/platform_profile.h"

namespace wyn {

// The player models installed with the game: the directories under
// baseq2/players, ordered ignoring case. No players directory, no models.
std::vector<std::string> ListPlayerModels(const std::string& gameDirectory,
                                          const PlatformProfile& profile);

// The skins of one model: its PCX pictures in lower case without ".pcx",
// ordered ignoring case, leaving out "weapon" and the skin icons (any name
// holding "_i"). A missing model directory has no skins.
std::vector<std::string> ListSkins(const std::string& gameDirectory, const std::string& model,
                                   const PlatformProfile& profile);

// baseq2/players/MODEL/SKIN_i.pcx under the game directory.
std::string SkinIconPath(const std::string& gameDirectory, const std::string& model,
                         const std::string& skin, const PlatformProfile& profile);

// The models that may still become view-weapon supporters: the model list
// without the current supporters (compared ignoring case), in model order.
std::vector<std::string> availableWeaponSupporters(const std::vector<std::string>& models,
                                                   const std::vector<std::string>& supporters);

}  // namespace wyn
