#pragma once

#include <QSettings>

#include <memory>

namespace quorvel::app {

// What persists between runs, and nothing else: the recent files, the last folder of the file dialogs,
// the main window's size and state. An INI file under the program's name in the user's configuration
// folder (tests move it with QSettings::setPath).
inline std::unique_ptr<QSettings> programSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvel"),
                                       QStringLiteral("Quorvel"));
}

inline constexpr const char* kRecentFilesKey = "recentFiles";
inline constexpr const char* kLastFolderKey = "lastFolder";
inline constexpr const char* kWindowGeometryKey = "window/geometry";
inline constexpr const char* kWindowStateKey = "window/state";

} // namespace quorvel::app
