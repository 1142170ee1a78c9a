#pragma once
// Notes the panel time of the last good status frame, for the remote view and the telemetry: a
// thread of its own looks at the link's frame counter once a second.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace remote {

class LinkWatch {
  public:
    explicit LinkWatch(std::function<uint64_t()> goodFrames);
    ~LinkWatch();
    LinkWatch(const LinkWatch&) = delete;
    LinkWatch& operator=(const LinkWatch&) = delete;

    // "yyyy-MM-ddTHH:mm:ss" of the last frame seen, empty before the first; looks at the
    // counter first, so a frame of the last second counts.
    std::string lastGoodFrame();
    // Looks at the counter now (the thread does it every second).
    void observe();

  private:
    void run();
    std::function<uint64_t()> goodFrames_;
    std::mutex mutex_;
    std::condition_variable wake_;
    uint64_t seen_ = 0;
    std::string last_;
    bool stopping_ = false;
    std::thread thread_;
};

std::string isoLocalNow();

}  // namespace remote
