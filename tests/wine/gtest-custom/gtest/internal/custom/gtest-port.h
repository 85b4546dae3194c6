#pragma once
// Stands in front of GoogleTest's own (empty) custom/gtest-port.h when GoogleTest is cross-built for the
// Windows test programs. MinGW's win32 thread model has no std::mutex or std::condition_variable, which
// GoogleTest's Notification is written with; everything else in it uses Win32 locks. Notification only
// starts threads for GoogleTest's own tests, so a plain flag does.
#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { notified_.store(true); }
    void WaitForNotification() {
        while (!notified_.load()) {
        }
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
