#include "runtime/platform/file_association.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>

namespace rt {
namespace {

bool writeFile(const std::filesystem::path& path, const QByteArray& bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(bytes) == bytes.size() && file.flush();
}

QByteArray mimePackage(const DesktopFileType& type) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"%1\">\n"
               "    <comment>%2</comment>\n"
               "    <icon name=\"%3\"/>\n"
               "    <glob pattern=\"*.%4\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n")
        .arg(type.mimeType, type.description.toHtmlEscaped(), type.launcherName, type.extension)
        .toUtf8();
}

QByteArray launcher(const DesktopFileType& type) {
    return QStringLiteral(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=%1\n"
               "Comment=%2\n"
               "Exec=%3 %f\n"
               "Icon=%1\n"
               "MimeType=%4;\n"
               "Terminal=false\n"
               "Categories=Office;Spreadsheet;\n")
        .arg(type.launcherName, type.description, launcherExecArgument(type.programPath),
             (QStringList(type.mimeType) + type.alsoOpens).join(u';'))
        .toUtf8();
}

// Cache refreshes are a courtesy: without the tools the desktop picks the files up
// at its next scan.
void refreshCache(const QString& tool, const std::filesystem::path& directory) {
    QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) return;
    QProcess::execute(program, {QString::fromStdString(directory.string())});
}

}  // namespace

QString launcherExecArgument(const std::filesystem::path& programPath) {
    QString quoted;
    for (QChar character : QString::fromStdString(programPath.string())) {
        if (character == QLatin1Char('"') || character == QLatin1Char('`') || character == QLatin1Char('$') ||
            character == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += character;
    }
    // Inside a quoted argument a field code is still a field code, and the value
    // itself is a string in which a backslash is escaped once more.
    quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

bool installDesktopFileType(const DesktopFileType& type, const std::filesystem::path& dataHome) {
    std::string name = type.launcherName.toStdString();
    std::filesystem::path mimeDirectory = dataHome / "mime";
    std::filesystem::path applications = dataHome / "applications";
    bool written = writeFile(mimeDirectory / "packages" / (name + ".xml"), mimePackage(type));
    written = writeFile(applications / (name + ".desktop"), launcher(type)) && written;
    written = writeFile(dataHome / "icons" / "hicolor" / "256x256" / "apps" / (name + ".png"), type.iconPng) &&
              written;
    refreshCache(QStringLiteral("update-mime-database"), mimeDirectory);
    refreshCache(QStringLiteral("update-desktop-database"), applications);
    return written;
}

bool systemDeclaresMimeType(const QString& mimeType) {
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    QString directories = dataDirs && *dataDirs ? QString::fromLocal8Bit(dataDirs)
                                                : QStringLiteral("/usr/local/share:/usr/share");
    QByteArray declaration = QStringLiteral("type=\"%1\"").arg(mimeType).toUtf8();
    for (const QString& directory : directories.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        std::error_code error;
        std::filesystem::path packages = std::filesystem::path(directory.toStdString()) / "mime" / "packages";
        for (const auto& entry : std::filesystem::directory_iterator(packages, error)) {
            QFile package(QString::fromStdString(entry.path().string()));
            if (entry.path().extension() == ".xml" && package.open(QIODevice::ReadOnly) &&
                package.readAll().contains(declaration)) {
                return true;
            }
        }
    }
    return false;
}

std::filesystem::path userDataDirectory() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && *dataHome == '/') return dataHome;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share";
}

}  // namespace rt
