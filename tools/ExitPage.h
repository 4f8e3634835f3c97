#pragma once
#include <string>
#include <vector>

// The exit page of the runtime: assets/wdata/ (its layout "config.ini", the pages and style
// sheet it links to, and SVG pictures listed in "pictures.txt") becomes the runtime's wdata/
// folder, the SVGs drawn into the PNGs the layout names; the files of assets/root/ ("play.url")
// go into the runtime folder itself. `written` gets every file written.
bool CompileExitPage(const std::string& assetsDir, const std::string& outDir,
                     std::vector<std::string>& written, std::string& error);

// One line of pictures.txt: "source.svg width height output.png".
struct TExitPicture {
    std::string source, output;
    int width = 0, height = 0;
};
// The lines of a pictures.txt text; blank lines and "#" comments are skipped. False with a
// message naming the line for anything else that is not a picture line.
bool ParseExitPictures(const std::string& text, std::vector<TExitPicture>& pictures,
                       std::string& error);
