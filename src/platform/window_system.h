#pragma once

#include "platform/platform_layer.h"

// The connection to the display server.
namespace WindowSystem {

// Sends what the program has asked of the X server so far (a window's map among it) at once,
// instead of when the event loop next gets to it; nothing on other window systems.
void SendPendingRequests();

} // namespace WindowSystem
