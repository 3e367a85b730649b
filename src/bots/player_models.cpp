#include "bots/player_models.h"

#include "base/file_system.h"
#include "base/text.h"

namespace wyn {

namespace {

std::string playersDirectory(const std::string& gameDirectory, const PlatformProfile& profile) {
    return profile.path(gameDirectory, {"baseq2", "players"});
}

bool isSkinName(const std::string& name) {
    // Skin icons are named "SKIN_i"; the rule drops any name holding "_i".
    return name != "weapon" && !contains(name, "_i");
}

}  // namespace

std::vector<std::string> ListPlayerModels(const std::string& gameDirectory,
                                          const PlatformProfile& profile) {
    return listSubdirectories(playersDirectory(gameDirectory, profile));
}

std::vector<std::string> ListSkins(const std::string& gameDirectory, const std::string& model,
                                   const PlatformProfile& profile) {
    std::vector<std::string> skins;
    if (model.empty()) {
        return skins;  // would list the players directory itself
    }
    const std::string modelDirectory =
        profile.path(playersDirectory(gameDirectory, profile), {model});
    for (const auto& file : listFiles(modelDirectory, "*.pcx")) {
        std::string name = removeFirst(toLower(file), ".pcx");
        if (isSkinName(name)) {
            skins.push_back(std::move(name));
        }
    }
    return skins;
}

std::string SkinIconPath(const std::string& gameDirectory, const std::string& model,
                         const std::string& skin, const PlatformProfile& profile) {
    return profile.path(gameDirectory, {"baseq2", "players", model, skin + "_i.pcx"});
}

std::vector<std::string> availableWeaponSupporters(const std::vector<std::string>& models,
                                                   const std::vector<std::string>& supporters) {
    std::vector<std::string> available;
    for (const auto& model : models) {
        if (indexOfIgnoringCase(supporters, model) < 0) {
            available.push_back(model);
        }
    }
    return available;
}

}  // namespace wyn
