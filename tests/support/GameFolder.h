#pragma once
#include <filesystem>
#include <string>

// A scratch working folder for one test that sees the built game data (linked, not copied)
// and keeps whatever the game writes to itself. Removed again when the test ends.
class TGameFolder {
public:
    explicit TGameFolder(const std::string& tag);
    ~TGameFolder();
    TGameFolder(const TGameFolder&) = delete;
    TGameFolder& operator=(const TGameFolder&) = delete;

    const std::filesystem::path& Path() const { return dir_; }
    // Creates a file in the folder with the given text.
    void Write(const std::string& name, const std::string& text) const;

private:
    std::filesystem::path dir_;
};
