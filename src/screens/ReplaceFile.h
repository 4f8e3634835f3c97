#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

// Writes the bytes to the stream; false when that failed. Tests put in one that breaks down.
using TByteSink = std::function<bool(std::ostream& out, std::string_view bytes)>;

// Replaces the file at `path` with `bytes` so that it is never left half-written: the bytes go
// to "<path>.tmp" beside it, are flushed, and only then is the temporary renamed over the old
// file. On any failure the old file stays as it was and the temporary is removed.
bool ReplaceFile(const std::string& path, std::string_view bytes, const TByteSink& sink = {});
