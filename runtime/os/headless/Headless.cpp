#include "os/headless/Headless.h"

namespace os {

bool HeadlessWindow::Create(WindowRequest& request) {
    request.samples = 0;
    open = true;
    return true;
}

bool HeadlessWindow::SetFullScreen(bool on, int, int) {
    if (on && !fullScreenAvailable) return false;
    fullScreen = on;
    return true;
}

bool HeadlessWindow::PollEvent(Event& event) {
    if (events.empty()) return false;
    event = events.front();
    events.pop_front();
    return true;
}

void HeadlessWindow::DesktopSize(int& width, int& height, int& bitsPerPixel) {
    width = desktopWidth;
    height = desktopHeight;
    bitsPerPixel = 32;
}

void HeadlessWindow::MessageBox(const std::string&, const std::string&) {
    ++messageBoxes;
}

void UseHeadlessBackend(HeadlessHandles* handles) {
    SetBackendFactory([handles] {
        auto clock = std::make_unique<HeadlessClock>();
        auto window = std::make_unique<HeadlessWindow>();
        if (handles) {
            handles->clock = clock.get();
            handles->window = window.get();
        }
        Backend backend;
        backend.clock = std::move(clock);
        backend.window = std::move(window);
        return backend;
    });
}

} // namespace os
