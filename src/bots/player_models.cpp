#include "bots/player_models.h"

#include <algorithm>

#include "base/file_system.h"
#include "base/text.h"

namespace wyn {

namespace {

std::string playersDirectory(const std::string& root, const PlatformProfile& profile) {
    return profile.path(root, {"baseq2", "players"});
}

bool isSkinName(const std::string& name) {
    // Skin icons are named "SKIN_i"; the rule drops any name holding "_i".
    return name != "weapon" && !contains(name, "_i");
}

}  // namespace

std::vector<std::string> ListPlayerModels(const std::vector<std::string>& roots,
                                          const PlatformProfile& profile) {
    std::vector<std::vector<std::string>> listings;
    for (const auto& root : roots) {
        listings.push_back(listSubdirectories(playersDirectory(root, profile)));
    }
    return mergedNames(std::move(listings));
}

std::vector<std::string> ListSkins(const std::vector<std::string>& roots, const std::string& model,
                                   const PlatformProfile& profile) {
    if (model.empty()) {
        return {};  // would list the players directory itself
    }
    std::vector<std::vector<std::string>> listings;
    for (const auto& root : roots) {
        auto& skins = listings.emplace_back();
        for (const auto& file :
             listFiles(profile.path(playersDirectory(root, profile), {model}), "*.pcx")) {
            std::string name = removeFirst(toLower(file), ".pcx");
            if (isSkinName(name)) {
                skins.push_back(std::move(name));
            }
        }
    }
    return mergedNames(std::move(listings));
}

bool PlayerModelExists(const std::vector<std::string>& roots, const std::string& model,
                       const PlatformProfile& profile) {
    return !model.empty() && std::ranges::any_of(roots, [&](const std::string& root) {
        return directoryExists(profile.path(playersDirectory(root, profile), {model}));
    });
}

std::string SkinIconPath(const std::vector<std::string>& roots, const std::string& model,
                         const std::string& skin, const PlatformProfile& profile) {
    std::string path;
    for (const auto& root : roots) {
        path = profile.path(playersDirectory(root, profile), {model, skin + "_i.pcx"});
        if (fileExists(path)) {
            break;
        }
    }
    return path;
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
