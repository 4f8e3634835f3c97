// The form file reader on arbitrary bytes, then one paint of whatever it built, so that
// values a damaged file leaves in a control cannot break drawing either.
#include "engine/GfxCanvas.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GuiControls.h"
#include "engine/GuiForms.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingRenderer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    platform::headless::RecordingRenderer renderer;
    renderer.keepBatches = false;
    TGfxDevice device{renderer};
    if (!device.Initialize()) return 0;
    TGfxCanvas canvas{&device};
    TGfxImages images{&device};
    TGfxFonts fonts{&device, &canvas};
    platform::headless::FakeClipboard clipboard;
    TKeySets keys = TKeySets::Initial();
    TGuiTaskbar root;
    root.Context = TGuiContext{&canvas, &images, &fonts, &clipboard, &keys};
    ReadGuiForms(root, data, size);
    root.SetBounds({0, 0, 800, 600});
    root.UpdateTree();
    root.DrawTree();
    return 0;
}
