#include "window_system.h"

#include <QGuiApplication>
#include <xcb/xcb.h>

namespace WindowSystem {

void SendPendingRequests() {
    if (auto *x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr)
        xcb_flush(x11->connection());
}

} // namespace WindowSystem
