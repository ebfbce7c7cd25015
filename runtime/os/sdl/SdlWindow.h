// The SDL2 window, GL context and event translation.
#pragma once

#include <SDL2/SDL.h>

#include "os/Window.h"

namespace os {

class SdlWindow : public Window {
  public:
    SdlWindow();
    ~SdlWindow() override;

    bool Create(WindowRequest& request) override;
    void Destroy() override;
    bool IsOpen() const override { return window_ != nullptr; }
    bool HasGL() const override { return context_ != nullptr; }

    void SetTitle(const std::string& title) override;
    void Show() override;
    void Hide() override;
    void Raise() override;
    bool SetFullScreen(bool on, int width, int height) override;

    void SwapBuffers() override;
    void* GetProcAddress(const char* name) override;
    bool PollEvent(Event& event) override;
    std::unique_ptr<InputPlatform> CreateInput() override;

    void DesktopSize(int& width, int& height, int& bitsPerPixel) override;
    uint64_t NativeHandle() override;
    void MessageBox(const std::string& caption, const std::string& text) override;
    void Beep() override;

    SDL_Window* Handle() const { return window_; }
    // Turns an SDL event into a runtime event; false for events the runtime does not use.
    static bool Translate(const SDL_Event& in, Event& out);

  private:
    bool videoStarted_ = false;
    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    int width_ = 0, height_ = 0;
};

} // namespace os
