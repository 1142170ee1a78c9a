#pragma once
// Counts the frames the display shows, so that the remote view sends a new picture of the panel
// only when the screen has changed. It stands between the window system and the real backend.

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/ui/display.h"

namespace remote {

class FrameTap : public platform::ui::Backend {
  public:
    explicit FrameTap(std::unique_ptr<platform::ui::Backend> inner) : inner_(std::move(inner)) {}
    void waitEvents(int timeoutMs, std::vector<platform::ui::InputEvent>& events) override {
        inner_->waitEvents(timeoutMs, events);
    }
    void wake() override { inner_->wake(); }
    void present(const platform::gfx::Surface& screen,
                 const std::vector<platform::ui::Rect>& changed) override {
        if (!changed.empty()) frames_.fetch_add(1);
        inner_->present(screen, changed);
    }
    // Any thread: grows by one with every shown change.
    uint64_t frames() const { return frames_.load(); }

  private:
    std::unique_ptr<platform::ui::Backend> inner_;
    std::atomic<uint64_t> frames_{1};
};

}  // namespace remote
