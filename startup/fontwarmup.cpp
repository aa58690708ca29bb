#include "startup/fontwarmup.h"

#include <dlfcn.h>

FontWarmup::FontWarmup()
{
    // Qt's own copy of fontconfig, already loaded with Qt: the program needs no build
    // dependency of its own on it. fontconfig sets its configuration up once, whichever thread
    // asks first.
    using FcInit = int (*)();
    if (const auto init = reinterpret_cast<FcInit>(dlsym(RTLD_DEFAULT, "FcInit")))
        thread_ = std::thread(init);
}

FontWarmup::~FontWarmup()
{
    if (thread_.joinable())
        thread_.join();
}
