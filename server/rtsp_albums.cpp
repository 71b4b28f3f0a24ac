#include "rtsp_albums.h"

#include <filesystem>
#include <gst/gst.h>
#include <gst/rtsp-server/rtsp-server.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {
std::string percentEncode(const std::string &path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

// Players show an RTSP stream's session name as its title: each song's is its own title, not
// the library's "Session streamed with GStreamer".
GstSDPMessage *(*libraryCreateSdp)(GstRTSPClient *, GstRTSPMedia *) = nullptr;

GstSDPMessage *createTitledSdp(GstRTSPClient *client, GstRTSPMedia *media) {
    GstSDPMessage *sdp = libraryCreateSdp(client, media);
    const auto *title = static_cast<const char *>(g_object_get_data(G_OBJECT(media), "title"));
    if (sdp && title)
        gst_sdp_message_set_session_name(sdp, title);
    return sdp;
}

void titleSessions() {
    auto *klass = static_cast<GstRTSPClientClass *>(g_type_class_ref(GST_TYPE_RTSP_CLIENT));
    if (!libraryCreateSdp) {
        libraryCreateSdp = klass->create_sdp;
        klass->create_sdp = createTitledSdp;
    }
}

void nameMedia(GstRTSPMediaFactory *, GstRTSPMedia *media, gpointer title) {
    g_object_set_data_full(G_OBJECT(media), "title", g_strdup(static_cast<const char *>(title)),
                           g_free);
}

// A file name inside a launch line, quoted for the pipeline parser.
std::string quoted(const std::string &path) {
    std::string out = "\"";
    for (char c : path) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}
} // namespace

struct RtspAlbums::Impl {
    GMainContext *context = nullptr;
    GMainLoop *loop = nullptr;
    GstRTSPServer *server = nullptr;
    guint source = 0;
    std::thread thread;
    int port = 0;
};

RtspAlbums::RtspAlbums() : d(std::make_unique<Impl>()) {}

RtspAlbums::~RtspAlbums() {
    stop();
}

std::string RtspAlbums::MountPath(const std::string &relativePath) {
    return "/realmusicll/" + percentEncode(relativePath);
}

std::string RtspAlbums::LiveLaunch(int n) {
    static const char *const patterns[] = {"ball",     "smpte",  "snow",  "circular",  "bar",
                                           "pinwheel", "spokes", "gamut", "zone-plate"};
    const std::string pattern = patterns[(n - 1) % (sizeof patterns / sizeof *patterns)];
    const std::string freq = std::to_string(300 + 40 * n);
    return "( videotestsrc is-live=true pattern=" + pattern +
           " ! video/x-raw,width=640,height=360,framerate=25/1"
           " ! clockoverlay halignment=right valignment=bottom font-desc=\"Sans 28\""
           " time-format=\"%H:%M:%S\" ! videoconvert"
           " ! x264enc tune=zerolatency speed-preset=ultrafast key-int-max=25 bitrate=600"
           " ! rtph264pay name=pay0 pt=96"
           " audiotestsrc is-live=true volume=0.2 freq=" +
           freq +
           " ! audioconvert ! audioresample ! audio/x-raw,rate=8000,channels=1 ! mulawenc"
           " ! rtppcmupay name=pay1 )";
}

bool RtspAlbums::start(const std::string &folder, int port) {
    gst_init(nullptr, nullptr);
    titleSessions();
    d->context = g_main_context_new();
    d->loop = g_main_loop_new(d->context, FALSE);
    d->server = gst_rtsp_server_new();
    gst_rtsp_server_set_address(d->server, "127.0.0.1");
    gst_rtsp_server_set_service(d->server, std::to_string(port).c_str());
    GstRTSPMountPoints *mounts = gst_rtsp_server_get_mount_points(d->server);
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (!it->is_regular_file() || it->path().extension() != ".mp3")
            continue;
        GstRTSPMediaFactory *factory = gst_rtsp_media_factory_new();
        const std::string launch = "( filesrc location=" + quoted(it->path().string()) +
                                   " ! mpegaudioparse ! rtpmpapay name=pay0 pt=14 )";
        gst_rtsp_media_factory_set_launch(factory, launch.c_str());
        g_signal_connect_data(
            factory, "media-configure", G_CALLBACK(nameMedia),
            g_strdup(it->path().stem().string().c_str()),
            [](gpointer title, GClosure *) { g_free(title); }, GConnectFlags(0));
        gst_rtsp_mount_points_add_factory(
            mounts, MountPath(fs::relative(it->path(), folder).generic_string()).c_str(), factory);
    }
    // One stream per channel, shared by everyone watching it, as on the air.
    for (int n = 1; n <= LiveChannels; ++n) {
        GstRTSPMediaFactory *factory = gst_rtsp_media_factory_new();
        gst_rtsp_media_factory_set_launch(factory, LiveLaunch(n).c_str());
        gst_rtsp_media_factory_set_shared(factory, TRUE);
        gst_rtsp_mount_points_add_factory(mounts, ("/live/channel" + std::to_string(n)).c_str(),
                                          factory);
    }
    g_object_unref(mounts);
    d->source = gst_rtsp_server_attach(d->server, d->context);
    if (d->source == 0) {
        stop();
        return false;
    }
    d->port = gst_rtsp_server_get_bound_port(d->server);
    d->thread = std::thread([loop = d->loop] { g_main_loop_run(loop); });
    return true;
}

void RtspAlbums::stop() {
    if (d->loop && d->thread.joinable()) {
        g_main_loop_quit(d->loop);
        d->thread.join();
    }
    if (d->source) {
        if (GSource *source = g_main_context_find_source_by_id(d->context, d->source))
            g_source_destroy(source);
        d->source = 0;
    }
    if (d->server)
        g_object_unref(d->server);
    if (d->loop)
        g_main_loop_unref(d->loop);
    if (d->context)
        g_main_context_unref(d->context);
    d->server = nullptr;
    d->loop = nullptr;
    d->context = nullptr;
    d->port = 0;
}

int RtspAlbums::port() const {
    return d->port;
}
