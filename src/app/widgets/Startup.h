#pragma once

#include "services/Services.h"

#include <QString>

#include <chrono>
#include <memory>

namespace quorra {

class MainWindow;

// How long the splash stays up after the main window has loaded.
inline constexpr std::chrono::milliseconds SplashHold{2000};

// Start-up: shows the splash, creates and loads the main window while it is up, holds
// it, closes it and shows the main window, which the caller then owns.
std::unique_ptr<MainWindow> Main(const Services& services, const QString& appFolder,
                                 std::chrono::milliseconds hold = SplashHold);

} // namespace quorra
