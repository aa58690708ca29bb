#pragma once

#include <functional>
#include <thread>

// Work done on a second thread while the application object connects to the display, which is
// mostly waiting for the display server: the system's font configuration is read, so that the
// first text Qt lays out does not wait for it, and then `moreWork` runs (work that needs no
// application object, such as decoding pictures). The thread is joined when the object goes.
class StartupWarmup {
public:
    explicit StartupWarmup(std::function<void()> moreWork);
    ~StartupWarmup();
    StartupWarmup(const StartupWarmup&) = delete;
    StartupWarmup& operator=(const StartupWarmup&) = delete;

private:
    std::thread thread_;
};
