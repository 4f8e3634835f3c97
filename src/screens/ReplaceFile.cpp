#include "screens/ReplaceFile.h"
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

bool ReplaceFile(const std::string& path, std::string_view bytes, const TByteSink& sink) {
    const std::string temporary = path + ".tmp";
    std::error_code ec;
    fs::remove(temporary, ec); // a leftover of an earlier failure
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out) {
            if (sink)
                written = sink(out, bytes);
            else
                written = bool(out.write(bytes.data(), std::streamsize(bytes.size())));
            written = written && out.flush();
        }
        out.close();
        written = written && !out.fail();
    }
    if (written) {
        fs::rename(temporary, path, ec);
        if (!ec) return true;
    }
    fs::remove(temporary, ec);
    return false;
}
