#pragma once
// Start-up seen from outside under an X server: a connection of its own that is told when a
// top-level window is mapped, so a program's start is timed to its window being shown on the
// server, with no help from the program.
#include <QByteArray>

#include <optional>

struct xcb_connection_t;

class MapWatch {
public:
    MapWatch() = default;
    MapWatch(const MapWatch&) = delete;
    MapWatch& operator=(const MapWatch&) = delete;
    ~MapWatch();

    // Connects to `display` and asks to be told of the windows mapped on its first screen's root.
    bool open(const QByteArray& display);
    // Forgets the events received so far.
    void drain();
    // Waits for the next top-level window mapped (not an override-redirect one such as a menu):
    // the monotonic clock in milliseconds when the server's notice arrived; nullopt after
    // `timeoutMs` or when the connection broke.
    std::optional<double> waitForMap(int timeoutMs);

private:
    xcb_connection_t* connection_ = nullptr;
};

// The monotonic clock in milliseconds, the one the start-up figures share.
double monotonicMs();
