// kelvora_assetc: builds the game's runtime data from assets/.
//   kelvora_assetc build <assets dir> <runtime dir> [stamp file]
//   kelvora_assetc preview <assets dir> <sheet.png>
#include "tools/AssetCompiler.h"
#include "tools/ContactSheet.h"
#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "build" && argc >= 4) {
        TAssetBuildReport report;
        std::string error;
        if (!CompileAssets(argv[2], argv[3], report, error)) {
            std::fprintf(stderr, "kelvora_assetc: %s\n", error.c_str());
            return 1;
        }
        std::printf("kelvora_assetc: %d images, %d fonts, %d particle scripts, %d sounds, "
                    "%d songs\n",
                    report.images, report.fonts, report.particles, report.sounds, report.songs);
        if (argc >= 5) std::ofstream(argv[4]) << "built\n";
        return 0;
    }
    if (command == "preview" && argc >= 4) {
        std::string error;
        if (!WriteContactSheet(argv[2], argv[3], error)) {
            std::fprintf(stderr, "kelvora_assetc: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: kelvora_assetc build <assets dir> <runtime dir> [stamp]\n"
                         "       kelvora_assetc preview <assets dir> <sheet.png>\n");
    return 2;
}
