#include "shell/ShellHooks.h"
#include "objects/Flask.h"
#include "objects/LevelClock.h"
#include "objects/MoleculePart.h"
#include "objects/texplosion.h"
#include "shell/Unit1.h"

void TShellHooks::CreateExplosion(float x, float y) {
    if (form_.SpriteEngine) new texplosion(form_.SpriteEngine.get(), x, y);
}

void TShellHooks::EnterGameOver() { form_.States.EnterState(14); }

void TShellHooks::CreateMoleculePart(float x, float y) { ::CreateMoleculePart(form_.World, x, y); }

void TShellHooks::CreateLevelObjects() {
    TLevelObjects::CreateLevelObjects();
    new tclocks(form_.World, 15, 15);
    new tcolba(form_.World, 40, 225);
}
