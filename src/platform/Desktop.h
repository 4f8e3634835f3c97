#pragma once
#include <string>

namespace platform {

// The desktop services the game touches besides its window.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Modal; returns when the user has dismissed it.
    virtual void ShowError(const std::string& title, const std::string& text) = 0;
    // The same with an information icon; a desktop without one shows the error box.
    virtual void ShowInfo(const std::string& title, const std::string& text) {
        ShowError(title, text);
    }
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text in Windows-1252; empty when there is none.
    virtual std::string GetText() = 0;
};

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a URL or a file with the desktop's default handler; never through a command line.
    virtual bool Open(const std::string& target) = 0;
};

} // namespace platform
