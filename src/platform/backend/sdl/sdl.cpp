#include "platform/backend/sdl/sdl.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>

namespace platform::backend {
namespace {

class SdlBackend : public ui::Backend {
  public:
    SdlBackend(SDL_Window* window, SDL_Renderer* renderer, SDL_Texture* texture)
        : window_(window), renderer_(renderer), texture_(texture) {
        wakeEvent_ = SDL_RegisterEvents(1);
    }

    ~SdlBackend() override {
        SDL_DestroyTexture(texture_);
        SDL_DestroyRenderer(renderer_);
        SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void waitEvents(int timeoutMs, std::vector<ui::InputEvent>& events) override {
        SDL_Event e;
        const int got = timeoutMs < 0 ? SDL_WaitEvent(&e) : SDL_WaitEventTimeout(&e, timeoutMs);
        if (!got) return;
        do {
            translate(e, events);
        } while (SDL_PollEvent(&e));
    }

    void wake() override {
        if (wakePending_.exchange(true)) return;
        SDL_Event e{};
        e.type = wakeEvent_;
        SDL_PushEvent(&e);
    }

    void present(const gfx::Surface& screen, const std::vector<ui::Rect>& changed) override {
        for (const ui::Rect& area : changed) {
            const ui::Rect r = area.intersect(screen.bounds());
            if (r.empty()) continue;
            const SDL_Rect rect{r.left, r.top, r.width(), r.height()};
            SDL_UpdateTexture(texture_, &rect, screen.row(r.top) + r.left, screen.width() * 4);
        }
        show();
    }

  private:
    void show() {
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        SDL_RenderPresent(renderer_);
    }

    // Touch positions come as fractions of the window; the renderer letterboxes and scales.
    ui::Point fromTouch(float fx, float fy) {
        int w = 0, h = 0;
        SDL_GetWindowSize(window_, &w, &h);
        float sx = 1, sy = 1;
        SDL_RenderGetScale(renderer_, &sx, &sy);
        SDL_Rect viewport{};
        SDL_RenderGetViewport(renderer_, &viewport);
        return {static_cast<int>(fx * w / sx) - viewport.x,
                static_cast<int>(fy * h / sy) - viewport.y};
    }

    void translate(const SDL_Event& e, std::vector<ui::InputEvent>& events) {
        using Kind = ui::InputEvent::Kind;
        switch (e.type) {
            case SDL_QUIT:
                events.push_back({Kind::Quit, {}});
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP:
                if (e.button.which == SDL_TOUCH_MOUSEID || e.button.button != SDL_BUTTON_LEFT)
                    break;
                events.push_back(
                    {e.type == SDL_MOUSEBUTTONDOWN ? Kind::PointerDown : Kind::PointerUp,
                     {e.button.x, e.button.y}});
                break;
            case SDL_MOUSEMOTION:
                if (e.motion.which == SDL_TOUCH_MOUSEID || !(e.motion.state & SDL_BUTTON_LMASK))
                    break;
                events.push_back({Kind::PointerMove, {e.motion.x, e.motion.y}});
                break;
            case SDL_FINGERDOWN:
                events.push_back({Kind::PointerDown, fromTouch(e.tfinger.x, e.tfinger.y)});
                break;
            case SDL_FINGERUP:
                events.push_back({Kind::PointerUp, fromTouch(e.tfinger.x, e.tfinger.y)});
                break;
            case SDL_FINGERMOTION:
                events.push_back({Kind::PointerMove, fromTouch(e.tfinger.x, e.tfinger.y)});
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_EXPOSED) show();
                break;
            default:
                if (e.type == wakeEvent_) wakePending_ = false;
                break;
        }
    }

    SDL_Window* window_;
    SDL_Renderer* renderer_;
    SDL_Texture* texture_;
    uint32_t wakeEvent_ = 0;
    std::atomic<bool> wakePending_{false};
};

}  // namespace

std::unique_ptr<ui::Backend> makeSdlBackend(const SdlOptions& options, std::string& error) {
    // Touch and mouse are told apart here, not synthesised from each other.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    SDL_SetHint(SDL_HINT_MOUSE_TOUCH_EVENTS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = std::string("no display: ") + SDL_GetError();
        return nullptr;
    }
    // SDL falls back to drivers that show nothing; they are no display.
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (driver == "offscreen" || driver == "dummy") {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = "no display: only the " + driver + " video driver is available";
        return nullptr;
    }
    const int scale = std::clamp(options.scale, 1, 8);
    const Uint32 flags = options.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0;
    SDL_Window* window =
        SDL_CreateWindow(options.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         options.screen.width * scale, options.screen.height * scale, flags);
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    SDL_Texture* texture = renderer ? SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                                        SDL_TEXTUREACCESS_STREAMING,
                                                        options.screen.width, options.screen.height)
                                    : nullptr;
    if (!texture) {
        error = std::string("cannot open the display window: ") + SDL_GetError();
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_RenderSetLogicalSize(renderer, options.screen.width, options.screen.height);
    SDL_RenderSetIntegerScale(renderer, options.fullscreen ? SDL_FALSE : SDL_TRUE);
    if (options.fullscreen) SDL_ShowCursor(SDL_DISABLE);
    return std::make_unique<SdlBackend>(window, renderer, texture);
}

}  // namespace platform::backend
