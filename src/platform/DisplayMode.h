#pragma once

namespace platform {

struct DisplayMode {
    int width = 0, height = 0;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

} // namespace platform
