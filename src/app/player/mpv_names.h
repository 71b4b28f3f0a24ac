#pragma once

#include "platform/platform_layer.h"

// The libmpv properties and commands the players use, in one place.
namespace MpvName {

inline constexpr char PlaylistPos[] = "playlist-pos";
inline constexpr char PlaylistCount[] = "playlist-count";
inline constexpr char IdleActive[] = "idle-active";
inline constexpr char CoreIdle[] = "core-idle";
inline constexpr char Pause[] = "pause";
inline constexpr char PausedForCache[] = "paused-for-cache";
inline constexpr char MediaTitle[] = "media-title";
inline constexpr char TimePos[] = "time-pos";
inline constexpr char Duration[] = "duration";
inline constexpr char LoopPlaylist[] = "loop-playlist";
inline constexpr char Volume[] = "volume";

inline constexpr char LoadFile[] = "loadfile";
inline constexpr char LoadList[] = "loadlist";
inline constexpr char Stop[] = "stop";
inline constexpr char PlaylistNext[] = "playlist-next";
inline constexpr char PlaylistPrev[] = "playlist-prev";
inline constexpr char Seek[] = "seek";

} // namespace MpvName
