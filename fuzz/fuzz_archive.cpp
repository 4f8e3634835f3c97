// The archive reader on arbitrary file contents: open, list, read every record.
#include "engine/GfxDb.h"
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/kelvora-fuzz-archive-" + std::to_string(getpid());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    TResDb db;
    db.SetFileName(path);
    db.OpenMode = opReadOnly;
    if (db.Update())
        for (int i = 0; i < db.RecordCount(); ++i) {
            std::vector<uint8_t> out;
            db.ReadStream(db.RecordKey(i), out);
        }
    return 0;
}
