#include "support/GameFolder.h"
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

TGameFolder::TGameFolder(const std::string& tag) {
    dir_ = fs::temp_directory_path() /
           ("kelvora-" + tag + "-" + std::to_string(getpid()) + "-" +
            std::to_string(reinterpret_cast<uintptr_t>(this) & 0xFFFFFF));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    const fs::path runtime = KELVORA_RUNTIME_DIR;
    std::error_code ec;
    for (const char* entry : {"Data", "Sounds", "wdata", "play.url"})
        if (fs::exists(runtime / entry, ec)) fs::create_symlink(runtime / entry, dir_ / entry, ec);
}

TGameFolder::~TGameFolder() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

void TGameFolder::Write(const std::string& name, const std::string& text) const {
    std::ofstream(dir_ / name) << text;
}
