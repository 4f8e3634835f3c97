#pragma once
#include <string_view>

class TGuiControl;

// The control classes a form file may name, in their fixed order. Immutable, so one shared
// instance serves the whole program.
class TGuiRegistry {
public:
    static const TGuiRegistry& Instance();

    int Count() const;
    // Empty outside 0..Count()-1.
    std::string_view Name(int index) const;
    // Position of the class name ignoring case, or -1.
    int IndexOf(std::string_view className) const;
    // A new control of that class under parent (which owns it), or none for an unknown name.
    TGuiControl* CreateControl(std::string_view className, TGuiControl* parent) const;
};
