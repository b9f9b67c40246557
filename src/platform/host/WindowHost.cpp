#include "host/WindowHost.h"

#include <SDL.h>

#include <cmath>
#include <fstream>
#include <optional>

#include "base/Log.h"
#include "gfx/Image.h"
#include "gfx/Painter.h"
#include "host/HeadlessHost.h"
#include "ui/Application.h"
#include "ui/FrameScheduler.h"
#include "ui/KeyInput.h"
#include "ui/ScrollView.h"
#include "ui/Touch.h"
#include "ui/Window.h"

namespace host {

// The SDL objects, kept out of the header so users of the host need no SDL include path.
struct WindowHost::Sdl {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;

    ~Sdl() {
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        // The last user shuts SDL down, closing its session-bus connection too.
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
    }
};

namespace {

base::Error sdlError(const std::string& what) {
    return base::Error{"host.WindowHost", 1, what + ": " + SDL_GetError()};
}

// Every key the host knows: the SDL key, the name tests inject it by, and the press it sends
// through the responder chain (none for the host's own keys).
struct KeyBinding {
    SDL_Keycode code;
    WindowHost::Key key;
    std::optional<ui::Press::Key> press;
};
constexpr KeyBinding kKeys[] = {
    {SDLK_RETURN, WindowHost::Key::Return, ui::Press::Key::Return},
    {SDLK_BACKSPACE, WindowHost::Key::Backspace, ui::Press::Key::Backspace},
    {SDLK_LEFT, WindowHost::Key::Left, ui::Press::Key::Left},
    {SDLK_RIGHT, WindowHost::Key::Right, ui::Press::Key::Right},
    {SDLK_UP, WindowHost::Key::Up, ui::Press::Key::Up},
    {SDLK_DOWN, WindowHost::Key::Down, ui::Press::Key::Down},
    {SDLK_SPACE, WindowHost::Key::Space, ui::Press::Key::Space},
    {SDLK_TAB, WindowHost::Key::Tab, ui::Press::Key::Tab},
    {SDLK_ESCAPE, WindowHost::Key::Escape, ui::Press::Key::Escape},
    {SDLK_F2, WindowHost::Key::F2, std::nullopt},
    {SDLK_F12, WindowHost::Key::F12, std::nullopt},
    {SDLK_d, WindowHost::Key::D, std::nullopt},
};

SDL_Keycode keycodeFor(WindowHost::Key key) {
    for (const KeyBinding& binding : kKeys) {
        if (binding.key == key) return binding.code;
    }
    return SDLK_UNKNOWN;
}

// The press a key sends through the responder chain, if it is one.
std::optional<ui::Press::Key> pressKeyFor(SDL_Keycode code) {
    if (code == SDLK_KP_ENTER) code = SDLK_RETURN;
    for (const KeyBinding& binding : kKeys) {
        if (binding.code == code) return binding.press;
    }
    return std::nullopt;
}

// The nearest scroll view at or above `view` that can scroll: enabled, with content longer
// than itself (a short text view lets the wheel reach the list it sits in).
ui::ScrollView* scrollViewAt(ui::View* view) {
    for (; view; view = view->superview().get()) {
        auto* scroll = dynamic_cast<ui::ScrollView*>(view);
        if (!scroll || !scroll->isScrollEnabled()) continue;
        auto limits = scroll->offsetLimits();
        if (limits.max.y > limits.min.y || limits.max.x > limits.min.x) return scroll;
    }
    return nullptr;
}

}  // namespace

base::Result<std::unique_ptr<WindowHost>> WindowHost::open(std::shared_ptr<ui::Window> window,
                                                           WindowHostOptions options) {
    if (!window) return base::Error{"host.WindowHost", 2, "no window to show"};
    gfx::Size screen = window->screenSize();
    if (!(window->scale() > 0) || !(screen.width >= 1) || !(screen.height >= 1))
        return base::Error{"host.WindowHost", 2, "the screen size and scale must be positive"};
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return sdlError("cannot start SDL video");
    auto sdl = std::make_unique<Sdl>();
    int width = static_cast<int>(std::lround(screen.width * window->scale()));
    int height = static_cast<int>(std::lround(screen.height * window->scale()));
    Uint32 flags = SDL_WINDOW_RESIZABLE | (options.visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN);
    sdl->window = SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                   width, height, flags);
    if (!sdl->window) return sdlError("cannot open a window");
    // The frame is already a CPU image, so SDL's software renderer only copies it to the
    // window; a GPU renderer would add an upload and, under xvfb, load Mesa's JIT (whose
    // unwinder registration deadlocks with the sanitizers' slow unwinding). The window's own
    // framebuffer is kept off the GPU for the same reason.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    sdl->renderer = SDL_CreateRenderer(sdl->window, -1, SDL_RENDERER_SOFTWARE);
    if (!sdl->renderer) return sdlError("cannot make a renderer");
    SDL_StartTextInput();
    return std::unique_ptr<WindowHost>(new WindowHost(std::move(window), std::move(options), std::move(sdl)));
}

WindowHost::WindowHost(std::shared_ptr<ui::Window> window, WindowHostOptions options,
                       std::unique_ptr<Sdl> sdl)
    : window_(std::move(window)), options_(std::move(options)), sdl_(std::move(sdl)) {}

WindowHost::~WindowHost() { detach(); }

void WindowHost::run() {
    attach();
    while (!quit_) base::RunLoop::main().runFor(kIdleInterval);
    detach();
}

void WindowHost::attach() {
    if (ticker_) return;
    // Something starting to move while the host idles brings it back to the frame rate now.
    driver_ = ui::FrameScheduler::main().beginDriving([this] { reschedule(kFrameInterval); });
    reschedule(kFrameInterval);
}

void WindowHost::detach() {
    if (!ticker_) return;
    base::RunLoop::main().cancel(ticker_);
    ticker_ = 0;
    ui::FrameScheduler::main().endDriving(driver_);
    driver_ = 0;
}

void WindowHost::reschedule(Duration interval) {
    if (ticker_ && interval == tickInterval_) return;
    if (ticker_) base::RunLoop::main().cancel(ticker_);
    tickInterval_ = interval;
    ticker_ = base::RunLoop::main().scheduleRepeating(interval, [this] {
        ++ownCallbacks_;
        if (!tick()) {
            detach();
            base::RunLoop::main().stop();
            return;
        }
        reschedule(isBusy() ? kFrameInterval : kIdleInterval);
    });
}

bool WindowHost::tick() {
    processEvents();
    if (!quit_) drawIfNeeded();
    foreignSeen_ = foreignCallbacks();
    return !quit_;
}

std::uint64_t WindowHost::foreignCallbacks() const {
    return base::RunLoop::main().callbacksRun() - ownCallbacks_;
}

int WindowHost::processEvents() {
    int handled = 0;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        handleEvent(&event);
        ++handled;
    }
    return handled;
}

bool WindowHost::isBusy() const {
    return dirty_ || fingerDown_ || window_->needsFrame() || foreignCallbacks() != foreignSeen_;
}

bool WindowHost::drawIfNeeded() {
    if (!isBusy()) return false;
    dirty_ = false;
    foreignSeen_ = foreignCallbacks();
    window_->runFrame(base::RunLoop::main().now());
    gfx::Size size = window_->frame().size();
    if (size.isEmpty()) return false;
    if (canvas_ && canvas_->size() == size && canvas_->scale() == window_->scale()) {
        canvas_->clear();
    } else {
        canvas_ = std::make_unique<gfx::Painter>(size, window_->scale());
    }
    HeadlessHost::renderInto(*window_, *canvas_);
    const gfx::Painter::PixelView pixels = canvas_->pixels();
    if (!sdl_->texture || sdl_->textureWidth != pixels.width || sdl_->textureHeight != pixels.height) {
        if (sdl_->texture) SDL_DestroyTexture(sdl_->texture);
        // Canvas pixels are 32-bit words with alpha high, then red, green, blue: ARGB8888.
        sdl_->texture = SDL_CreateTexture(sdl_->renderer, SDL_PIXELFORMAT_ARGB8888,
                                          SDL_TEXTUREACCESS_STREAMING, pixels.width, pixels.height);
        if (!sdl_->texture) {
            base::Log::line(std::string("WindowHost: cannot make a texture: ") + SDL_GetError());
            return false;
        }
        sdl_->textureWidth = pixels.width;
        sdl_->textureHeight = pixels.height;
    }
    SDL_UpdateTexture(sdl_->texture, nullptr, pixels.data, pixels.stride * 4);
    SDL_SetRenderDrawColor(sdl_->renderer, 0, 0, 0, 255);
    SDL_RenderClear(sdl_->renderer);
    SDL_RenderCopy(sdl_->renderer, sdl_->texture, nullptr, nullptr);
    SDL_RenderPresent(sdl_->renderer);
    ++framesDrawn_;
    frameTimes_.push_back(std::chrono::steady_clock::now());
    if (frameTimes_.size() > kFrameTimesKept) frameTimes_.pop_front();
    return true;
}

gfx::Size WindowHost::pixelSize() const {
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl_->window, &width, &height);
    return {static_cast<double>(width), static_cast<double>(height)};
}

gfx::Image WindowHost::shownImage() const {
    int width = 0, height = 0;
    if (SDL_GetRendererOutputSize(sdl_->renderer, &width, &height) != 0 || width <= 0 || height <= 0)
        return {};
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    if (SDL_RenderReadPixels(sdl_->renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) !=
        0)
        return {};
    return gfx::Image(width, height, std::move(pixels), window_->scale());
}

gfx::Point WindowHost::toPoints(double pixelX, double pixelY) const {
    gfx::Size pixels = pixelSize();
    gfx::Size screen = window_->screenSize();
    double sx = pixels.width > 0 ? screen.width / pixels.width : 1 / window_->scale();
    double sy = pixels.height > 0 ? screen.height / pixels.height : 1 / window_->scale();
    return {pixelX * sx, pixelY * sy};
}

void WindowHost::handleEvent(const void* raw) {
    const SDL_Event& event = *static_cast<const SDL_Event*>(raw);
    switch (event.type) {
        case SDL_QUIT:
            quit_ = true;
            return;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) quit_ = true;
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) cancelTouch();
            if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
                ui::Application::shared().didRegainFocus();
            dirty_ = true;  // exposed, resized: draw again
            return;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT)
                handleMouseButton(toPoints(event.button.x, event.button.y),
                                  event.type == SDL_MOUSEBUTTONDOWN);
            break;
        case SDL_MOUSEMOTION:
            if (fingerDown_) handleMouseMotion(toPoints(event.motion.x, event.motion.y));
            return;
        case SDL_MOUSEWHEEL: {
            double notches = event.wheel.preciseY != 0 ? event.wheel.preciseY : event.wheel.y;
            if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
            handleWheel(toPoints(event.wheel.mouseX, event.wheel.mouseY), notches);
            break;
        }
        case SDL_TEXTINPUT:
            handleText(event.text.text);
            break;
        case SDL_KEYDOWN:
            handleKey(event.key.keysym.sym, (event.key.keysym.mod & KMOD_CTRL) != 0);
            break;
        default:
            return;
    }
    dirty_ = true;
}

void WindowHost::handleMouseButton(gfx::Point point, bool pressed) {
    if (pressed == fingerDown_) return;  // a second press or a stray release
    if (pressed) ++touchIdentifier_;
    fingerDown_ = pressed;
    window_->sendTouch(
        ui::Touch(touchIdentifier_, pressed ? ui::TouchPhase::Began : ui::TouchPhase::Ended, point));
}

void WindowHost::cancelTouch() {
    // The release will go to another window: the finger's sequence must not stay open.
    if (!fingerDown_) return;
    fingerDown_ = false;
    window_->sendTouch(ui::Touch(touchIdentifier_, ui::TouchPhase::Cancelled, {}));
}

void WindowHost::handleMouseMotion(gfx::Point point) {
    window_->sendTouch(ui::Touch(touchIdentifier_, ui::TouchPhase::Moved, point));
    dirty_ = true;
}

void WindowHost::handleWheel(gfx::Point point, double notches) {
    window_->layoutIfNeeded();
    ui::ScrollView* scroll = scrollViewAt(window_->hitTest(point).get());
    if (!scroll) return;
    // Wheel up (positive) shows what is above: the offset decreases. It rests within the
    // content and its insets, never past them.
    gfx::Point offset = scroll->contentOffset();
    const ui::EdgeInsets& inset = scroll->adjustedContentInset();
    double bottom = scroll->contentSize().height + inset.bottom - scroll->bounds().height;
    double y = std::max(-inset.top, std::min(offset.y - notches * kWheelStep, std::max(-inset.top, bottom)));
    if (y != offset.y) scroll->setContentOffset({offset.x, y}, false);
}

void WindowHost::handleText(const char* text) {
    if (auto* input = dynamic_cast<ui::KeyInput*>(window_->firstResponder().get())) input->insertText(text);
}

void WindowHost::handleKey(int keycode, bool control) {
    switch (keycode) {
        case SDLK_F2:
            return toggleAppearance();
        case SDLK_d:
            if (control) toggleAppearance();
            return;
        case SDLK_F12:
            return saveScreenshot();
        default:
            break;
    }
    auto key = pressKeyFor(keycode);
    if (!key) return;
    bool handled = window_->sendPress(ui::Press{*key, control});
    if (!handled && *key == ui::Press::Key::Escape) quit_ = true;
}

void WindowHost::toggleAppearance() {
    bool dark = window_->windowTraitCollection().isDark();
    window_->setTraitCollection(dark ? gfx::TraitCollection::light() : gfx::TraitCollection::dark());
}

void WindowHost::saveScreenshot() {
    // Numbered so that a second screenshot never replaces the first.
    std::filesystem::path path;
    std::error_code error;
    do {
        path = options_.screenshotDirectory /
               ("vellium-screenshot-" + std::to_string(++screenshotCount_) + ".png");
    } while (std::filesystem::exists(path, error));
    auto written = HeadlessHost::writePng(*window_, path, window_->scale());
    if (!written) {
        base::Log::line("WindowHost: screenshot failed: " + written.error().description);
        return;
    }
    lastScreenshot_ = path;
    // The view tree beside the picture, so a screenshot can be compared as text too.
    auto treePath = std::filesystem::path(path).replace_extension(".json");
    std::ofstream tree(treePath, std::ios::binary | std::ios::trunc);
    tree << HeadlessHost::dumpJson(*window_);
    if (!tree.flush()) base::Log::line("WindowHost: cannot write " + treePath.string());
    base::Log::line("WindowHost: screenshot saved to " + path.string() + " with its view tree");
}

void WindowHost::injectMouseButton(gfx::Point pixel, bool pressed) {
    SDL_Event event{};
    event.type = pressed ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = SDL_GetWindowID(sdl_->window);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = pressed ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = static_cast<Sint32>(std::lround(pixel.x));
    event.button.y = static_cast<Sint32>(std::lround(pixel.y));
    SDL_PushEvent(&event);
}

void WindowHost::injectMouseMotion(gfx::Point pixel, bool buttonHeld) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(sdl_->window);
    event.motion.state = buttonHeld ? SDL_BUTTON_LMASK : 0;
    event.motion.x = static_cast<Sint32>(std::lround(pixel.x));
    event.motion.y = static_cast<Sint32>(std::lround(pixel.y));
    SDL_PushEvent(&event);
}

void WindowHost::injectWheel(gfx::Point pixel, int notches) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.windowID = SDL_GetWindowID(sdl_->window);
    event.wheel.y = notches;
    event.wheel.preciseY = static_cast<float>(notches);
    event.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    event.wheel.mouseX = static_cast<Sint32>(std::lround(pixel.x));
    event.wheel.mouseY = static_cast<Sint32>(std::lround(pixel.y));
    SDL_PushEvent(&event);
}

void WindowHost::injectText(const std::string& text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = SDL_GetWindowID(sdl_->window);
    SDL_strlcpy(event.text.text, text.c_str(), sizeof(event.text.text));
    SDL_PushEvent(&event);
}

void WindowHost::injectKey(Key key, bool control) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(sdl_->window);
    event.key.state = SDL_PRESSED;
    event.key.keysym.sym = keycodeFor(key);
    event.key.keysym.mod = control ? KMOD_LCTRL : KMOD_NONE;
    SDL_PushEvent(&event);
}

void WindowHost::injectFocusLost() {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(sdl_->window);
    event.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&event);
}

void WindowHost::injectClose() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}

}  // namespace host
