#include "MapWatch.h"

#include <xcb/xcb.h>

#include <poll.h>

#include <cstdlib>
#include <ctime>

double monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

MapWatch::~MapWatch() {
    if (connection_) xcb_disconnect(connection_);
}

bool MapWatch::open(const QByteArray& display) {
    connection_ = xcb_connect(display.constData(), nullptr);
    if (!connection_ || xcb_connection_has_error(connection_)) return false;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    if (!screen) return false;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    const xcb_void_cookie_t done =
        xcb_change_window_attributes_checked(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(connection_, done)) {
        std::free(error);
        return false;
    }
    return true;
}

void MapWatch::drain() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) std::free(event);
}

std::optional<double> MapWatch::waitForMap(int timeoutMs) {
    const double deadline = monotonicMs() + timeoutMs;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                                !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
            if (mapped) return monotonicMs();
        }
        if (xcb_connection_has_error(connection_)) return std::nullopt;
        const double left = deadline - monotonicMs();
        if (left <= 0) return std::nullopt;
        pollfd watched{xcb_get_file_descriptor(connection_), POLLIN, 0};
        ::poll(&watched, 1, int(left) + 1);
    }
}
