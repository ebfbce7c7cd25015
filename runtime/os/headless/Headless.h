// A platform with no display: a clock the test controls and a window whose events are
// scripted. It lets the frame loop, pausing and ending be tested without a screen.
#pragma once

#include <deque>
#include <memory>
#include <string>

#include "os/Backend.h"

namespace os {

// Time stands still except when the runtime sleeps or reads it: every read moves it on by
// stepMs, so a busy wait on the clock always ends.
class HeadlessClock : public Clock {
  public:
    double NowMs() override {
        nowMs += stepMs;
        return nowMs;
    }
    void SleepMs(unsigned ms) override { nowMs += ms; }

    double nowMs = 1000.0;
    double stepMs = 0.01;
};

class HeadlessWindow : public Window {
  public:
    bool Create(WindowRequest& request) override;
    void Destroy() override { open = false; }
    bool IsOpen() const override { return open; }
    bool HasGL() const override { return false; }

    void SetTitle(const std::string& text) override { title = text; }
    void Show() override { visible = true; }
    void Hide() override { visible = false; }
    void Raise() override {}
    bool SetFullScreen(bool on, int width, int height) override;

    void SwapBuffers() override { ++swaps; }
    void* GetProcAddress(const char*) override { return nullptr; }
    bool PollEvent(Event& event) override;
    std::unique_ptr<InputPlatform> CreateInput() override;

    void DesktopSize(int& width, int& height, int& bitsPerPixel) override;
    uint64_t NativeHandle() override { return 0; }
    void MessageBox(const std::string& caption, const std::string& text) override;
    void Beep() override { ++beeps; }

    // What the test sees and controls.
    std::deque<Event> events;
    std::string title;
    bool open = false;
    bool visible = false;
    bool fullScreen = false;
    bool fullScreenAvailable = true;
    int desktopWidth = 1024, desktopHeight = 768;
    int swaps = 0, beeps = 0, messageBoxes = 0;
};

// The clock and window of the next headless start-up; both stay owned by the runtime, so
// these pointers are valid until shut-down.
struct HeadlessHandles {
    HeadlessClock* clock = nullptr;
    HeadlessWindow* window = nullptr;
};

// Makes every following start-up headless and reports its clock and window through handles.
void UseHeadlessBackend(HeadlessHandles* handles);

} // namespace os
