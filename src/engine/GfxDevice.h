#pragma once
#include "platform/Renderer.h"
#include <functional>
#include <vector>

namespace platform {
class Window;
struct Event;
} // namespace platform

class TGfxDevice;

// Device messages, sent to every subscriber in order until one answers false.
enum : int {
    msgDeviceCreate = 256,  // create device resources
    msgDeviceRelease = 257, // release everything
    msgDeviceLost = 258,    // release what does not survive a reset
    msgDeviceReset = 259,   // re-create it
    msgBeginScene = 260,
    msgEndScene = 261,
};

// Anything that holds device resources. A subscriber is on at most one device's list.
class TGfxSubscriber {
public:
    virtual ~TGfxSubscriber();
    TGfxDevice* Publisher() const { return publisher_; }
    // Moves the subscriber to the end of the new device's list (off the old one's).
    void SetPublisher(TGfxDevice* device);
    virtual bool DeviceMessage(int message) = 0;

private:
    friend class TGfxDevice;
    TGfxDevice* publisher_ = nullptr;
};

enum class TBitDepth { bdLow, bdHigh };

// The rendering device: owns the renderer's lifetime, the logical 800x600 to device scale,
// and tells its subscribers when resources must be made, dropped or rebuilt.
class TGfxDevice {
public:
    static constexpr float kLogicalWidth = 800.0f, kLogicalHeight = 600.0f;

    explicit TGfxDevice(platform::Renderer& renderer, platform::Window* window = nullptr);
    ~TGfxDevice();
    TGfxDevice(const TGfxDevice&) = delete;
    TGfxDevice& operator=(const TGfxDevice&) = delete;

    // Changing any of these on a running device resets it at once.
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Windowed() const { return windowed_; }
    bool VSync() const { return vsync_; }
    bool HardwareTL() const { return hardwareTL_; }
    void SetWidth(int value);
    void SetHeight(int value);
    void SetWindowed(bool value);
    void SetVSync(bool value);
    void SetHardwareTL(bool value);

    TBitDepth BitDepth = TBitDepth::bdHigh;
    int Refresh = 0;
    bool DepthBuffer = false;

    std::function<void(TGfxDevice& sender, bool& success)> OnInitialize;
    std::function<void(TGfxDevice& sender)> OnFinalize;
    std::function<void(TGfxDevice& sender)> OnRender;

    bool Initialize();
    void Finalize();
    bool Running() const { return running_; }
    // Clears (to a colour with red in byte 0), runs OnRender inside a scene.
    void Render(uint32_t color, bool clear);
    // Presents, and recovers a lost device.
    void Flip();
    // Window and renderer events that concern the device (lost targets, lost device).
    void HandleEvent(const platform::Event& event);

    // Logical-to-device scale.
    float ScaleX() const { return scaleX_; }
    float ScaleY() const { return scaleY_; }

    // Sends a message to the subscribers in order, stopping at the first false; the last answer.
    bool Notify(int message);
    const std::vector<TGfxSubscriber*>& Subscribers() const { return subscribers_; }
    platform::Renderer& Renderer() { return renderer_; }

private:
    friend class TGfxSubscriber;
    void Attach(TGfxSubscriber* s);
    void Detach(TGfxSubscriber* s);
    void Reset();
    void ApplyWindow();
    void UpdateScale();
    platform::RendererConfig Config() const;

    platform::Renderer& renderer_;
    platform::Window* window_;
    std::vector<TGfxSubscriber*> subscribers_;
    int width_ = 800, height_ = 600;
    bool windowed_ = true, vsync_ = false, hardwareTL_ = false;
    bool running_ = false;
    bool lost_ = false;
    float scaleX_ = 1.0f, scaleY_ = 1.0f;
};
