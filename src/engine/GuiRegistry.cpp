#include "engine/GuiRegistry.h"
#include "engine/GuiButton.h"
#include "engine/GuiCheckBox.h"
#include "engine/GuiEdit.h"
#include "engine/GuiForm.h"
#include "engine/GuiGauge.h"
#include "engine/GuiLabel.h"
#include "engine/GuiListBox.h"
#include "engine/GuiPaint.h"
#include "engine/GuiRadioButton.h"
#include "engine/TextUtil.h"
#include <iterator>

namespace {

template <class T> TGuiControl* Make(TGuiControl* parent) { return new T(parent); }

struct TEntry {
    std::string_view name;
    TGuiControl* (*create)(TGuiControl*);
};

// The order is part of the format's contract.
constexpr TEntry kClasses[] = {
    {"TGuiForm", Make<TGuiForm>},
    {"TGuiEdit", Make<TGuiEdit>},
    {"TGuiLabel", Make<TGuiLabel>},
    {"TGuiListBox", Make<TGuiListBox>},
    {"TGuiRadioButton", Make<TGuiRadioButton>},
    {"TGuiCheckBox", Make<TGuiCheckBox>},
    {"TGuiButton", Make<TGuiButton>},
    {"TGuiGauge", Make<TGuiGauge>},
    {"TGuiPaint", Make<TGuiPaint>},
    {"TGuiButtonEdit", Make<TGuiButton>}, // an older name of the button
};

} // namespace

const TGuiRegistry& TGuiRegistry::Instance() {
    static const TGuiRegistry registry;
    return registry;
}

int TGuiRegistry::Count() const { return int(std::size(kClasses)); }

std::string_view TGuiRegistry::Name(int index) const {
    return index >= 0 && index < Count() ? kClasses[index].name : std::string_view();
}

int TGuiRegistry::IndexOf(std::string_view className) const {
    for (int i = 0; i < Count(); ++i)
        if (SameText(kClasses[i].name, className)) return i;
    return -1;
}

TGuiControl* TGuiRegistry::CreateControl(std::string_view className, TGuiControl* parent) const {
    const int i = IndexOf(className);
    return i < 0 ? nullptr : kClasses[i].create(parent);
}
