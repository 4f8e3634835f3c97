#pragma once
#include <filesystem>
#include <optional>
#include <string>

namespace platform {

// The folder the game runs in. A runtime folder next to the program (a build or an unpacked
// copy) is used as it is. An installed game keeps its data read-only under dataDir and runs
// in a per-user folder ($XDG_DATA_HOME/kelvora, else ~/.local/share/kelvora) that holds its
// writable files (Config.cfg) and links to the installed data. Nothing when neither works.
std::optional<std::filesystem::path> PrepareGameFolder(const std::filesystem::path& programDir,
                                                       const std::filesystem::path& dataDir);

// The per-user folder for an installed game, from the environment.
std::optional<std::filesystem::path> UserDataFolder();

} // namespace platform
