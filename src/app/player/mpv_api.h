#pragma once

#include "platform/platform_layer.h"

#include <mpv/client.h>
#include <mpv/render.h>

// libmpv, loaded on first use instead of at program start: linking it would load its whole
// media stack (dozens of libraries) before the main window could map. The first player
// loads it on its worker thread.
struct MpvApi {
    decltype(&::mpv_create) create;
    decltype(&::mpv_set_option_string) set_option_string;
    decltype(&::mpv_initialize) initialize;
    decltype(&::mpv_terminate_destroy) terminate_destroy;
    decltype(&::mpv_observe_property) observe_property;
    decltype(&::mpv_set_wakeup_callback) set_wakeup_callback;
    decltype(&::mpv_wait_event) wait_event;
    decltype(&::mpv_command_async) command_async;
    decltype(&::mpv_set_property_string) set_property_string;
    decltype(&::mpv_get_property_string) get_property_string;
    decltype(&::mpv_free) free;
    decltype(&::mpv_error_string) error_string;
    decltype(&::mpv_render_context_create) render_context_create;
    decltype(&::mpv_render_context_set_update_callback) render_context_set_update_callback;
    decltype(&::mpv_render_context_free) render_context_free;
    decltype(&::mpv_render_context_render) render_context_render;

    // The loaded library, or nullptr when libmpv is not installed. Safe from any thread.
    static const MpvApi *get();
};
