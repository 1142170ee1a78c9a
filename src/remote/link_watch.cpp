#include "remote/link_watch.h"

#include <chrono>
#include <cstdio>

#include "platform/clock/clock.h"

namespace remote {

std::string isoLocalNow() {
    const platform::LocalTime t = platform::localNow();
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

LinkWatch::LinkWatch(std::function<uint64_t()> goodFrames)
    : goodFrames_(std::move(goodFrames)), thread_([this] { run(); }) {}

LinkWatch::~LinkWatch() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::string LinkWatch::lastGoodFrame() {
    observe();
    std::lock_guard lock(mutex_);
    return last_;
}

void LinkWatch::observe() {
    const uint64_t frames = goodFrames_();
    std::lock_guard lock(mutex_);
    if (frames == seen_) return;
    seen_ = frames;
    last_ = isoLocalNow();
}

void LinkWatch::run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        lock.unlock();
        observe();
        lock.lock();
        wake_.wait_for(lock, std::chrono::seconds(1), [this] { return stopping_; });
    }
}

}  // namespace remote
