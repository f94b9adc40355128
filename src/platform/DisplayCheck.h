#pragma once

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace quorra {

// True when Qt's platform plugin can reach a display: the platform named by "-platform" or
// QT_QPA_PLATFORM (a list separated by ";"; xcb and wayland when none is named) holds one
// that needs no display server, or xcb with DISPLAY (or "-display") set, or wayland with
// WAYLAND_DISPLAY set. Checked before the application object exists, because Qt aborts the
// program when its platform plugin finds no display.
inline bool displayAvailable(int argc, char** argv) {
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    std::string platforms = set("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
    bool x11 = set("DISPLAY");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platforms = argv[i + 1];
        else if (std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "--display") == 0)
            x11 = x11 || *argv[i + 1];
    }
    if (platforms.empty())
        platforms = "xcb;wayland";
    std::string_view rest = platforms;
    while (!rest.empty()) {
        const size_t end = rest.find(';');
        const std::string_view name = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (name.starts_with("xcb")       ? x11
            : name.starts_with("wayland") ? set("WAYLAND_DISPLAY")
                                          : !name.empty())
            return true;
    }
    return false;
}

// The line a desktop program prints, after its name, when it finds no display.
inline constexpr const char* NoDisplayLine =
    ": no display: this is a desktop program and needs a desktop session (X11 or Wayland), but neither "
    "DISPLAY nor WAYLAND_DISPLAY is set.\n";

} // namespace quorra
