#include "tools/ExitPage.h"
#include "engine/PictureFile.h"
#include "tools/SvgRaster.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A plain file name: no folders, nothing that climbs out of wdata/.
bool PlainName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos &&
           name.find('\\') == std::string::npos && name != "." && name != "..";
}

bool CopyFiles(const fs::path& from, const fs::path& to, std::vector<std::string>& written,
               std::string& error, const std::vector<std::string>& skipExtensions) {
    std::error_code ec;
    if (!fs::is_directory(from, ec)) return true;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(from, ec))
        if (entry.is_regular_file()) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    fs::create_directories(to, ec);
    for (const fs::path& file : files) {
        const std::string ext = file.extension().string();
        if (std::find(skipExtensions.begin(), skipExtensions.end(), ext) != skipExtensions.end() ||
            file.filename() == "pictures.txt")
            continue;
        const fs::path target = to / file.filename();
        fs::copy_file(file, target, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            error = target.string() + ": cannot write (" + ec.message() + ")";
            return false;
        }
        written.push_back(target.string());
    }
    return true;
}

} // namespace

bool ParseExitPictures(const std::string& text, std::vector<TExitPicture>& pictures,
                       std::string& error) {
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        TExitPicture p;
        if (!(words >> p.source)) continue;
        std::string rest;
        if (!(words >> p.width >> p.height >> p.output) || (words >> rest) || p.width <= 0 ||
            p.height <= 0 || p.width > 4096 || p.height > 4096 || !PlainName(p.source) ||
            !PlainName(p.output)) {
            error = "pictures.txt:" + std::to_string(number) +
                    ": expected \"source.svg width height output.png\"";
            return false;
        }
        pictures.push_back(p);
    }
    return true;
}

bool CompileExitPage(const std::string& assetsDir, const std::string& outDir,
                     std::vector<std::string>& written, std::string& error) {
    const fs::path source = fs::path(assetsDir) / "wdata", target = fs::path(outDir) / "wdata";
    std::error_code ec;
    if (fs::is_directory(source, ec)) {
        if (!CopyFiles(source, target, written, error, {".svg"})) return false;
        std::ifstream list(source / "pictures.txt", std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(list), {}};
        std::vector<TExitPicture> pictures;
        if (!ParseExitPictures(text, pictures, error)) return false;
        for (const TExitPicture& p : pictures) {
            auto page = RasteriseSvg((source / p.source).string(), p.width, p.height, error);
            if (!page) return false;
            const fs::path png = target / p.output;
            if (!SavePng(png.string(), *page)) {
                error = png.string() + ": cannot write";
                return false;
            }
            written.push_back(png.string());
        }
    }
    return CopyFiles(fs::path(assetsDir) / "root", outDir, written, error, {});
}
