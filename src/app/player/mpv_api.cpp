#include "mpv_api.h"

#include <cstdlib>
#include <dlfcn.h>
#include <mutex>

namespace {
template <typename F> bool resolve(void *lib, const char *name, F &into) {
    into = reinterpret_cast<F>(dlsym(lib, name));
    return into != nullptr;
}

const MpvApi *load() {
    void *lib = nullptr;
    // TONAPLY_LIBMPV names another build of libmpv to use instead.
    if (const char *own = std::getenv("TONAPLY_LIBMPV"); own && *own)
        lib = dlopen(own, RTLD_NOW | RTLD_LOCAL);
    else
        for (const char *name : {"libmpv.so.2", "libmpv.so.1", "libmpv.so"})
            if ((lib = dlopen(name, RTLD_NOW | RTLD_LOCAL)))
                break;
    if (!lib)
        return nullptr;
    static MpvApi api;
    const bool ok = resolve(lib, "mpv_create", api.create) &&
                    resolve(lib, "mpv_set_option_string", api.set_option_string) &&
                    resolve(lib, "mpv_initialize", api.initialize) &&
                    resolve(lib, "mpv_terminate_destroy", api.terminate_destroy) &&
                    resolve(lib, "mpv_observe_property", api.observe_property) &&
                    resolve(lib, "mpv_set_wakeup_callback", api.set_wakeup_callback) &&
                    resolve(lib, "mpv_wait_event", api.wait_event) &&
                    resolve(lib, "mpv_command_async", api.command_async) &&
                    resolve(lib, "mpv_set_property_string", api.set_property_string) &&
                    resolve(lib, "mpv_get_property_string", api.get_property_string) &&
                    resolve(lib, "mpv_free", api.free) &&
                    resolve(lib, "mpv_error_string", api.error_string) &&
                    resolve(lib, "mpv_render_context_create", api.render_context_create) &&
                    resolve(lib, "mpv_render_context_set_update_callback",
                            api.render_context_set_update_callback) &&
                    resolve(lib, "mpv_render_context_free", api.render_context_free) &&
                    resolve(lib, "mpv_render_context_render", api.render_context_render);
    return ok ? &api : nullptr;
}
} // namespace

const MpvApi *MpvApi::get() {
    static std::once_flag once;
    static const MpvApi *api = nullptr;
    std::call_once(once, [] { api = load(); });
    return api;
}
