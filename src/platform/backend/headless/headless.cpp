#include "platform/backend/headless/headless.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform::backend {
namespace {

class HeadlessBackend : public ui::Backend {
  public:
    void waitEvents(int timeoutMs, std::vector<ui::InputEvent>&) override {
        std::unique_lock lock(mutex_);
        if (timeoutMs < 0) {
            woken_cv_.wait(lock, [this] { return woken_; });
        } else {
            woken_cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [this] { return woken_; });
        }
        woken_ = false;
    }

    void wake() override {
        {
            std::lock_guard lock(mutex_);
            woken_ = true;
        }
        woken_cv_.notify_one();
    }

    void present(const gfx::Surface&, const std::vector<ui::Rect>&) override {}

  private:
    std::mutex mutex_;
    std::condition_variable woken_cv_;
    bool woken_ = false;
};

}  // namespace

std::unique_ptr<ui::Backend> makeHeadlessBackend() {
    return std::make_unique<HeadlessBackend>();
}

}  // namespace platform::backend
