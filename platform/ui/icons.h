#pragma once

// A consistent set of line-art icons drawn as vector paths, so they are sharp
// at every scale and need no files.

#include <cstdint>
#include <filesystem>

typedef struct _cairo cairo_t;

namespace ui {

struct Rect;
struct Color;

enum class Icon : std::uint8_t {
    Folder,
    File,
    FileText,
    FileImage,
    FileAudio,
    FileVideo,
    FileArchive,
    FileCode,
    FilePdf,
    Home,
    Documents,
    Downloads,
    Pictures,
    Music,
    Videos,
    Desktop,
    Trash,
    Root,
    Workspace,
    Remote,
    Star,
    ArrowLeft,
    ArrowRight,
    ArrowUp,
    ChevronRight,
    ChevronDown,
    List,
    Grid,
    Sort,
    More,
    Close,
    Search,
    Check,
    Plus,
    Sync,
    Cloud,
    CloudOff,
    Pin,
    Share,
    Conflict,
    Warning,
    Error,
    History,
    Extract,
    Terminal,
};

// The icon for a path by its extension; folders get Folder.
enum class PathKind : std::uint8_t {
    File,
    Folder,
};
Icon icon_for_path(std::filesystem::path const& path, PathKind kind);

// Strokes `icon` into `rect` (drawn on a 24-unit grid scaled to the rect).
void draw_icon(cairo_t* cr, Icon icon, Rect const& rect, Color const& color);

}
