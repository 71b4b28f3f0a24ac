#pragma once

// Included first by every adapter header: the adapters belong to the platform layer, and only
// that layer, the program's main.cpp and the tests may use them. Rules, models and windows
// work through the ports, so a test can hand them fakes.
#ifndef TONAPLY_PLATFORM_LAYER
#error "an adapter is used outside the platform layer: work through its port instead"
#endif
