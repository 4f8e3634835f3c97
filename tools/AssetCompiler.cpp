#include "tools/AssetCompiler.h"
#include "engine/FontRecord.h"
#include "engine/GfxImageUpload.h"
#include "engine/ResDbWriter.h"
#include "tools/ExitPage.h"
#include "tools/FontBuilder.h"
#include "tools/FormCompiler.h"
#include "tools/ImageBuilder.h"
#include "tools/ImageManifest.h"
#include "tools/SvgRaster.h"
#include "tools/ParticleText.h"
#if __has_include("tools/AudioCompile.h")
#include "tools/AudioCompile.h"
#define KELVORA_HAVE_AUDIO 1
#endif
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// Files of one folder with the given extension, sorted so the output never depends on the
// order the file system lists them in.
std::vector<fs::path> SortedFiles(const fs::path& dir, const std::string& extension) {
    std::vector<fs::path> files;
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return files;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        if (entry.is_regular_file() && entry.path().extension() == extension)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

bool CompileAssets(const std::string& assetsDir, const std::string& outDir,
                   TAssetBuildReport& report, std::string& error) {
    const fs::path assets(assetsDir), out(outDir);
    std::error_code ec;
    fs::create_directories(out / "Data", ec);
    fs::create_directories(out / "Sounds", ec);

    UseOnlyAssetFonts(fs::absolute(assets / "fonts").string());
    TAssetManifest manifest;
    if (!LoadAssetManifest((assets / "manifest.json").string(), manifest, error)) return false;

    const char* archiveNames[] = {"data.fgg", "gdata.fgg", "data1.fgg"};
    std::map<std::string, TResDbWriter> archives;
    for (const char* name : archiveNames) archives[name];

    for (const TImageEntry& entry : manifest.images) {
        auto record = BuildImageRecord(entry, assets.string(), error);
        if (!record) return false;
        const std::vector<uint8_t> bytes = SerializeImageRecord(*record, 5);
        if (bytes.empty() || !archives[entry.archive].Add(entry.name, kRecordImage, bytes)) {
            error = entry.line + ": cannot store the image";
            return false;
        }
        ++report.images;
    }
    for (const TFontEntry& f : manifest.fonts) {
        TFontStyle entry;
        entry.ttf = (assets / f.ttf).string();
        entry.pixelSize = f.pixelSize;
        entry.outline = f.outline;
        entry.spacing = f.spacing;
        auto record = BuildFontRecord(entry, error);
        if (!record) return false;
        const std::vector<uint8_t> bytes = SerializeFontRecord(*record, 5);
        if (bytes.empty() || !archives[f.archive].Add(f.name, kRecordFont, bytes)) {
            error = "font " + f.name + ": cannot store it";
            return false;
        }
        ++report.fonts;
    }
    for (const fs::path& file : SortedFiles(assets / "particles", ".txt")) {
        TParticleScript script;
        if (!LoadParticleText(file.string(), script, error)) return false;
        const std::string key = file.stem().string() + ".pss";
        archives[kParticleArchive].Add(key, kRecordParticleScript,
                                       SerializeParticleScript(script));
        ++report.particles;
    }
    for (const char* name : archiveNames) {
        const fs::path path = out / "Data" / name;
        if (!archives[name].Save(path.string())) {
            error = path.string() + ": cannot write";
            return false;
        }
        report.written.push_back(path.string());
    }

    std::vector<std::string> formFiles;
    for (const fs::path& file : SortedFiles(assets / "forms", ".json")) formFiles.push_back(file.string());
    std::vector<uint8_t> forms;
    if (!CompileForms(formFiles, manifest, forms, error)) return false;
    {
        const fs::path path = out / "Data" / "gfx.fgg";
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(forms.data()), std::streamsize(forms.size()));
        if (!file) {
            error = path.string() + ": cannot write";
            return false;
        }
        report.written.push_back(path.string());
        report.forms = int(formFiles.size());
    }

#ifdef KELVORA_HAVE_AUDIO
    for (const fs::path& file : SortedFiles(assets / "sounds", ".txt")) {
        const fs::path wav = out / "Sounds" / (file.stem().string() + ".wav");
        if (!CompileSound(file.string(), wav.string(), error)) return false;
        report.written.push_back(wav.string());
        ++report.sounds;
    }
    for (const fs::path& file : SortedFiles(assets / "music", ".txt")) {
        const fs::path xm = out / "Sounds" / (file.stem().string() + ".xm");
        if (!CompileSong(file.string(), xm.string(), error)) return false;
        report.written.push_back(xm.string());
        ++report.songs;
    }
#endif
    return CompileExitPage(assetsDir, outDir, report.written, error);
}
