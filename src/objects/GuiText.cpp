#include "objects/GuiText.h"
#include "engine/GuiBase.h"
#include "engine/GuiLabel.h"
#include <string>

void SetControlText(TGuiBase* gui, std::string_view name, std::string_view text) {
    if (!gui) return;
    TGuiControl* control = gui->FindControl(name);
    if (!control) return;
    if (auto* label = dynamic_cast<TGuiLabel*>(control)) {
        // Setting a label restarts its typing; leave an unchanged one alone.
        if (label->Text() != text) label->SetText(std::string(text));
    } else {
        control->SetPropertyByName("Caption", std::string(text));
    }
}

void HideForm(TGuiBase* gui, std::string_view name) {
    if (!gui) return;
    if (TGuiControl* form = gui->FindControl(name)) {
        form->Hide();
        form->SendToBack();
    }
}
