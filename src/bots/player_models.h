#pragma once

#include <string>
#include <vector>

#include "base/platform_profile.h"

namespace wyn {

// roots: the folders the engine reads the game from, first wins, the game
// directory last (engineRoots); what any of them holds is offered, a name in
// two of them once.

// The player models installed with the game: the directories under
// baseq2/players, ordered ignoring case. No players directory, no models.
std::vector<std::string> ListPlayerModels(const std::vector<std::string>& roots,
                                          const PlatformProfile& profile);

// The skins of one model: its PCX pictures in lower case without ".pcx",
// ordered ignoring case, leaving out "weapon" and the skin icons (any name
// holding "_i"). A missing model directory has no skins.
std::vector<std::string> ListSkins(const std::vector<std::string>& roots, const std::string& model,
                                   const PlatformProfile& profile);

// Whether a root holds the model's directory.
bool PlayerModelExists(const std::vector<std::string>& roots, const std::string& model,
                       const PlatformProfile& profile);

// baseq2/players/MODEL/SKIN_i.pcx in the first root that holds it, else in
// the game directory.
std::string SkinIconPath(const std::vector<std::string>& roots, const std::string& model,
                         const std::string& skin, const PlatformProfile& profile);

// The models that may still become view-weapon supporters: the model list
// without the current supporters (compared ignoring case), in model order.
std::vector<std::string> availableWeaponSupporters(const std::vector<std::string>& models,
                                                   const std::vector<std::string>& supporters);

}  // namespace wyn
