#include "platform/GameFolder.h"
#include <cstdlib>

namespace fs = std::filesystem;

namespace platform {

namespace {

// What the game reads relative to its working folder.
constexpr const char* kDataEntries[] = {"Data", "Sounds", "wdata", "play.url"};

bool IsRuntimeFolder(const fs::path& dir) {
    std::error_code ec;
    return fs::is_regular_file(dir / "Data" / "data.fgg", ec);
}

} // namespace

std::optional<fs::path> UserDataFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && fs::path(xdg).is_absolute()) return fs::path(xdg) / "kelvora";
    const char* home = std::getenv("HOME");
    if (home && *home) return fs::path(home) / ".local" / "share" / "kelvora";
    return std::nullopt;
}

std::optional<fs::path> PrepareGameFolder(const fs::path& programDir, const fs::path& dataDir) {
    if (IsRuntimeFolder(programDir)) return programDir;
    if (!IsRuntimeFolder(dataDir)) return std::nullopt;
    const auto user = UserDataFolder();
    if (!user) return std::nullopt;
    std::error_code ec;
    fs::create_directories(*user, ec);
    if (!fs::is_directory(*user, ec)) return std::nullopt;
    for (const char* entry : kDataEntries) {
        const fs::path link = *user / entry, target = dataDir / entry;
        if (!fs::exists(target, ec)) continue;
        // Links from an earlier installation are renewed; the player's own files stay.
        if (fs::is_symlink(fs::symlink_status(link, ec))) {
            if (fs::read_symlink(link, ec) == target) continue;
            fs::remove(link, ec);
        } else if (fs::exists(fs::symlink_status(link, ec))) {
            continue;
        }
        fs::create_symlink(target, link, ec);
    }
    if (!IsRuntimeFolder(*user)) return std::nullopt;
    return *user;
}

} // namespace platform
