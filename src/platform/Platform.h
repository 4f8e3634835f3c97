#pragma once
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Http.h"
#include "platform/KeyboardDevice.h"
#include "platform/Window.h"

namespace platform {

// Everything the game needs from the machine, as one bundle the shell hands down.
class Platform {
public:
    virtual ~Platform() = default;
    virtual Clock& clock() = 0;
    virtual Window& window() = 0;
    virtual KeyboardDevice& keyboard() = 0;
    virtual MessageBox& messageBox() = 0;
    virtual Clipboard& clipboard() = 0;
    virtual Shell& shell() = 0;
    virtual Http& http() = 0;
};

} // namespace platform
