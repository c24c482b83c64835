#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>

namespace rt {

// What the desktop needs to open a file type with the program: a MIME type for the
// extension, a launcher that passes the file, and an icon.
struct DesktopFileType {
    std::filesystem::path programPath;
    QString extension;    // without the period
    QString mimeType;     // "application/x-..."
    QStringList alsoOpens;  // the other MIME types the program opens, as the system names them
    QString description;  // shown by file managers
    QString launcherName;  // names the .desktop file and the icon
    QByteArray iconPng;
};

// Writes the shared-mime-info package, the .desktop launcher and the icon below the
// given data directory and refreshes the desktop's caches when their tools are
// installed. True when all three files were written.
bool installDesktopFileType(const DesktopFileType& type, const std::filesystem::path& dataHome);

// Whether a MIME package of the system's data directories ($XDG_DATA_DIRS, or
// /usr/local/share and /usr/share) declares the type: an installed package registered
// the file type for everyone, and nobody needs to register it again.
bool systemDeclaresMimeType(const QString& mimeType);

// The user's data directory: $XDG_DATA_HOME, or ~/.local/share.
std::filesystem::path userDataDirectory();

// The program path as one argument of a launcher's Exec line: quoted, with the
// characters that the launcher format reserves escaped.
QString launcherExecArgument(const std::filesystem::path& programPath);

}  // namespace rt
