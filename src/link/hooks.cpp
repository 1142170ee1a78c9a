#include "link/hooks.h"

#include <utility>

namespace dryer {

void LinkHooks::registerWindow(Window window, InvalidateFn invalidate) {
    std::lock_guard lock(mutex_);
    windows_[static_cast<int>(window)] = std::move(invalidate);
}

void LinkHooks::unregisterWindow(Window window) {
    std::lock_guard lock(mutex_);
    windows_[static_cast<int>(window)] = nullptr;
}

bool LinkHooks::isRegistered(Window window) const {
    std::lock_guard lock(mutex_);
    return static_cast<bool>(windows_[static_cast<int>(window)]);
}

void LinkHooks::setScreenLayoutUpdate(std::function<void()> update) {
    std::lock_guard lock(mutex_);
    layoutUpdate_ = std::move(update);
}

void LinkHooks::setBatchStageButtonUpdate(std::function<void()> update) {
    std::lock_guard lock(mutex_);
    batchStageUpdate_ = std::move(update);
}

void LinkHooks::setShutdownRecorder(std::function<void(uint8_t, uint8_t)> record) {
    std::lock_guard lock(mutex_);
    shutdownRecorder_ = std::move(record);
}

// Held during the call so that a dialog that unregisters on closing is never invalidated after.
void LinkHooks::invalidate(Window window, bool erase, const RepaintArea* area) {
    std::lock_guard lock(mutex_);
    const InvalidateFn& fn = windows_[static_cast<int>(window)];
    if (fn) fn(erase, area);
}

// The longer calls run on a copy, outside the lock, so registering never waits for them.
void LinkHooks::updateScreenLayout() {
    std::function<void()> fn;
    {
        std::lock_guard lock(mutex_);
        fn = layoutUpdate_;
    }
    if (fn) fn();
}

void LinkHooks::updateBatchStageButtons() {
    std::function<void()> fn;
    {
        std::lock_guard lock(mutex_);
        fn = batchStageUpdate_;
    }
    if (fn) fn();
}

void LinkHooks::recordShutdown(uint8_t node, uint8_t warning) {
    std::function<void(uint8_t, uint8_t)> fn;
    {
        std::lock_guard lock(mutex_);
        fn = shutdownRecorder_;
    }
    if (fn) fn(node, warning);
}

}  // namespace dryer
