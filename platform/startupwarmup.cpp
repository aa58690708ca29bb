#include "startupwarmup.h"

#include <dlfcn.h>

#include <utility>

StartupWarmup::StartupWarmup(std::function<void()> moreWork)
{
    // Qt's own copy of fontconfig, already loaded with Qt: the program needs no build
    // dependency of its own on it. fontconfig sets its configuration up once, whichever thread
    // asks first; where Qt does not use fontconfig, there is nothing to read.
    using FcInit = int (*)();
    const auto init = reinterpret_cast<FcInit>(dlsym(RTLD_DEFAULT, "FcInit"));
    thread_ = std::thread([init, moreWork = std::move(moreWork)] {
        if (init)
            init();
        if (moreWork)
            moreWork();
    });
}

StartupWarmup::~StartupWarmup()
{
    thread_.join();
}
