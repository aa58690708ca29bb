#pragma once

#include <thread>

// Reads the system's font configuration on a second thread while the application starts, so
// that the first text Qt lays out does not wait for it. Where Qt does not use fontconfig it does
// nothing. The thread is joined when the object goes. It calls nothing of Qt's: while the
// application object starts, Qt sets up its plugin paths unguarded, and decoding a picture on
// another thread at that moment crashed now and then.
class FontWarmup {
public:
    FontWarmup();
    ~FontWarmup();
    FontWarmup(const FontWarmup&) = delete;
    FontWarmup& operator=(const FontWarmup&) = delete;

private:
    std::thread thread_;
};
