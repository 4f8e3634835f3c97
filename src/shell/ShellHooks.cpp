#include "shell/ShellHooks.h"
#include "objects/texplosion.h"
#include "shell/Unit1.h"

void TShellHooks::CreateExplosion(float x, float y) {
    if (form_.SpriteEngine) new texplosion(form_.SpriteEngine.get(), x, y);
}

void TShellHooks::EnterGameOver() { form_.States.EnterState(14); }
