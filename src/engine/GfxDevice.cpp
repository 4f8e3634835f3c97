#include "engine/GfxDevice.h"
#include "platform/Event.h"
#include "platform/Window.h"
#include <algorithm>

TGfxSubscriber::~TGfxSubscriber() { SetPublisher(nullptr); }

void TGfxSubscriber::SetPublisher(TGfxDevice* device) {
    if (device == publisher_) return;
    if (publisher_) publisher_->Detach(this);
    publisher_ = device;
    if (publisher_) publisher_->Attach(this);
}

TGfxDevice::TGfxDevice(platform::Renderer& renderer, platform::Window* window)
    : renderer_(renderer), window_(window) {}

TGfxDevice::~TGfxDevice() {
    Finalize();
    for (TGfxSubscriber* s : subscribers_) s->publisher_ = nullptr;
}

void TGfxDevice::Attach(TGfxSubscriber* s) {
    if (std::find(subscribers_.begin(), subscribers_.end(), s) == subscribers_.end())
        subscribers_.push_back(s);
}

void TGfxDevice::Detach(TGfxSubscriber* s) {
    subscribers_.erase(std::remove(subscribers_.begin(), subscribers_.end(), s),
                       subscribers_.end());
}

bool TGfxDevice::Notify(int message) {
    bool answer = true;
    // A copy: a subscriber may leave the list while it answers.
    const std::vector<TGfxSubscriber*> list = subscribers_;
    for (TGfxSubscriber* s : list) {
        answer = s->DeviceMessage(message);
        if (!answer) break;
    }
    return answer;
}

platform::RendererConfig TGfxDevice::Config() const {
    platform::RendererConfig c;
    c.width = width_;
    c.height = height_;
    c.vsync = vsync_;
    return c;
}

void TGfxDevice::ApplyWindow() {
    if (!window_) return;
    window_->SetFullScreen(!windowed_);
    window_->SetClientSize(width_, height_);
}

void TGfxDevice::UpdateScale() {
    int w = width_, h = height_;
    if (renderer_.Running()) renderer_.OutputSize(w, h);
    if (w <= 0 || h <= 0) w = width_, h = height_;
    scaleX_ = float(w) / kLogicalWidth;
    scaleY_ = float(h) / kLogicalHeight;
}

bool TGfxDevice::Initialize() {
    if (running_) return true;
    ApplyWindow();
    if (!renderer_.Start(Config())) return false;
    running_ = true;
    lost_ = false;
    if (!Notify(msgDeviceCreate)) {
        Finalize();
        return false;
    }
    UpdateScale();
    bool success = true;
    if (OnInitialize) OnInitialize(*this, success);
    if (!success) {
        Finalize();
        return false;
    }
    return true;
}

void TGfxDevice::Finalize() {
    if (!running_) return;
    if (OnFinalize) OnFinalize(*this);
    Notify(msgDeviceRelease);
    renderer_.Stop();
    running_ = false;
}

void TGfxDevice::Reset() {
    if (!running_) return;
    Notify(msgDeviceLost);
    ApplyWindow();
    if (!renderer_.Reset(Config())) {
        Finalize();
        return;
    }
    UpdateScale();
    Notify(msgDeviceReset);
}

void TGfxDevice::SetWidth(int value) {
    if (value == width_ || value <= 0) return;
    width_ = value;
    Reset();
}

void TGfxDevice::SetHeight(int value) {
    if (value == height_ || value <= 0) return;
    height_ = value;
    Reset();
}

void TGfxDevice::SetWindowed(bool value) {
    if (value == windowed_) return;
    windowed_ = value;
    Reset();
}

void TGfxDevice::SetVSync(bool value) {
    if (value == vsync_) return;
    vsync_ = value;
    Reset();
}

void TGfxDevice::SetHardwareTL(bool value) {
    if (value == hardwareTL_) return;
    hardwareTL_ = value;
    Reset();
}

void TGfxDevice::Render(uint32_t color, bool clear) {
    if (!running_ || lost_ || !OnRender) return;
    // The renderer takes blue in byte 0.
    if (clear)
        renderer_.Clear((color & 0xFF00FF00u) | ((color & 0xFF) << 16) | ((color >> 16) & 0xFF));
    Notify(msgBeginScene);
    OnRender(*this);
    Notify(msgEndScene);
}

void TGfxDevice::Flip() {
    if (!running_) return;
    switch (renderer_.Present()) {
    case platform::PresentResult::Ok:
        break;
    case platform::PresentResult::Lost:
        if (!lost_) {
            lost_ = true;
            Notify(msgDeviceLost);
        }
        if (renderer_.Reset(Config())) {
            lost_ = false;
            UpdateScale();
            Notify(msgDeviceReset);
        }
        break;
    case platform::PresentResult::Failed:
        Notify(msgDeviceLost);
        if (renderer_.Reset(Config())) {
            UpdateScale();
            Notify(msgDeviceReset);
        } else {
            Finalize();
        }
        break;
    }
}

void TGfxDevice::HandleEvent(const platform::Event& event) {
    using Type = platform::Event::Type;
    if (!running_) return;
    switch (event.type) {
    case Type::RenderTargetsReset:
        // Textures may be gone; everyone uploads theirs again.
        Notify(msgDeviceLost);
        Notify(msgDeviceReset);
        break;
    case Type::RenderDeviceReset:
        Notify(msgDeviceLost);
        renderer_.Stop();
        if (!renderer_.Start(Config())) {
            running_ = false;
            Notify(msgDeviceRelease);
            return;
        }
        UpdateScale();
        Notify(msgDeviceReset);
        break;
    case Type::Resized:
        UpdateScale();
        break;
    default:
        break;
    }
}
