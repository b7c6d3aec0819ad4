#include "ui/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

#include <atomic>
#include <clocale>
#include <mutex>
#include <thread>

namespace cal {
namespace {

struct Reader {
    std::mutex mutex;
    std::thread thread;
    // A program that ends before it waited (an early error) still waits here, at exit.
    ~Reader() {
        if (thread.joinable()) thread.join();
    }
};

Reader& reader() {
    static Reader r;
    return r;
}

bool started = false;
std::atomic<bool> configurationRead{false};

}  // namespace

void startReadingFontConfiguration() {
    Reader& r = reader();
    const std::lock_guard lock(r.mutex);
    if (started) return;
    started = true;
    // The toolkit applies the environment's locale when the application object is made; applied
    // here first, the thread reads the configuration (and takes the default language from) the
    // same locale the program runs in, and never sees it change under it.
    std::setlocale(LC_ALL, "");
    // FcInit loads the configuration once per process and keeps it as the current one, the one
    // the toolkit's font database asks for.
    r.thread = std::thread([] { configurationRead = FcInit() == FcTrue; });
}

void finishReadingFontConfiguration() {
    Reader& r = reader();
    const std::lock_guard lock(r.mutex);
    if (r.thread.joinable()) r.thread.join();
}

bool fontConfigurationReadAhead() { return configurationRead; }

}  // namespace cal
