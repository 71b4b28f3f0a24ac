#include "window_system.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

namespace WindowSystem {

void SendPendingRequests() {
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    // Other window systems may answer for X11 without a connection to one (offscreen does).
    if (xcb_connection_t *connection = x11 ? x11->connection() : nullptr)
        xcb_flush(connection);
}

} // namespace WindowSystem
