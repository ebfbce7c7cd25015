#include "InputTesting.h"

#include <memory>

#include "app/Startup.h"
#include "core/Runtime.h"
#include "os/Backend.h"
#include "os/sdl/SdlWindow.h"

namespace {

std::deque<EventStep>& PendingSteps() {
    static std::deque<EventStep> steps;
    return steps;
}

std::function<void()>& SwapCheck() {
    static std::function<void()> check;
    return check;
}

void PushNextStep() {
    if (PendingSteps().empty()) return;
    for (SDL_Event& event : PendingSteps().front())
        SDL_PushEvent(&event);
    PendingSteps().pop_front();
}

class SteppingWindow : public os::SdlWindow {
  public:
    explicit SteppingWindow(StepOn stepOn) : stepOn_(stepOn) {}
    void SwapBuffers() override {
        if (SwapCheck()) SwapCheck()();
        SdlWindow::SwapBuffers();
        if (stepOn_ == StepOn::Frame) PushNextStep();
    }
    bool PollEvent(os::Event& event) override {
        // A pump starts with the next step and takes its events itself, so the state they
        // leave holds until the next pump.
        if (stepOn_ == StepOn::Pump && pumpStarts_) PushNextStep();
        pumpStarts_ = !SdlWindow::PollEvent(event);
        return !pumpStarts_;
    }

  private:
    StepOn stepOn_;
    bool pumpStarts_ = true;
};

} // namespace

SDL_Event KeyEvent(SDL_Scancode scancode, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    return event;
}

SDL_Event ButtonEvent(Uint8 button, bool down) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.button = button;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    return event;
}

void PushKey(SDL_Scancode scancode, bool down, bool repeat) {
    SDL_Event event = KeyEvent(scancode, down);
    event.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&event);
}

void PushMotion(int x, int y, int xrel, int yrel) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    event.motion.xrel = xrel;
    event.motion.yrel = yrel;
    SDL_PushEvent(&event);
}

void PushButton(Uint8 button, bool down) {
    SDL_Event event = ButtonEvent(button, down);
    SDL_PushEvent(&event);
}

void PushWheel(int steps) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = steps;
    SDL_PushEvent(&event);
}

void PushText(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    SDL_strlcpy(event.text.text, text, sizeof(event.text.text));
    SDL_PushEvent(&event);
}

void ScriptedRuntimeTest::SetUp() {
    PendingSteps().clear();
    const StepOn stepOn = stepOn_;
    os::SetBackendFactory([stepOn] {
        os::Backend backend = os::CreateSdlBackend();
        backend.window = std::make_unique<SteppingWindow>(stepOn);
        return backend;
    });
    Rt().settings = RuntimeSettings{};
    ASSERT_TRUE(StartRuntime(10, "test"));
}

void ScriptedRuntimeTest::TearDown() {
    SwapCheck() = nullptr;
    ShutdownRuntime();
    os::SetBackendFactory(nullptr);
    PendingSteps().clear();
}

void ScriptedRuntimeTest::Script(std::vector<EventStep> steps) {
    for (EventStep& step : steps)
        PendingSteps().push_back(std::move(step));
}

size_t ScriptedRuntimeTest::StepsLeft() const {
    return PendingSteps().size();
}

void ScriptedRuntimeTest::BeforeEachSwap(std::function<void()> check) {
    SwapCheck() = std::move(check);
}
