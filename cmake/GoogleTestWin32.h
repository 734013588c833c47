// Included before everything in the GoogleTest of the cross build. Its one
// use of std::mutex and std::condition_variable (Notification, which starts
// threads together in GoogleTest's own thread tests) does not exist in a C++
// runtime of Windows' own thread model; this is the same class on a Windows
// event.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

class Notification {
public:
    Notification() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    ~Notification() {
        if (event_) CloseHandle(event_);
    }
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace testing::internal
