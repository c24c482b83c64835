#include "app/platform/file_type_registration.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <filesystem>
#include <fstream>

#include "runtime/platform/file_association.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/platform/registry_store.h"
#include "runtime/value/file_name.h"
#include "runtime/value/program_location.h"

namespace app {
namespace {

std::string openCommandKey(const FileTypeTexts& texts) { return texts.fileTypeKey + "\\shell\\open\\command\\"; }

QString mimeTypeOf(const FileTypeTexts& texts) { return QStringLiteral("application/x-biaoge-") + rt::fromGbk(texts.fileTypeKey); }

QByteArray applicationIconPng() {
    QImage image = QApplication::windowIcon().pixmap(256, 256).toImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The registry keys only say what opens the type; the desktop learns it from a MIME
// package and a launcher.
void installOnDesktop(const FileTypeTexts& texts) {
    rt::DesktopFileType type;
    type.programPath = rt::pathFromText(texts.programPath);
    type.extension = rt::fromGbk(texts.extension);
    type.mimeType = mimeTypeOf(texts);
    // Workbooks and CSV files colleagues send open as new tables.
    type.alsoOpens = {QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet"),
                      QStringLiteral("application/vnd.oasis.opendocument.spreadsheet"), QStringLiteral("text/csv")};
    type.description = rt::fromGbk(texts.description);
    type.launcherName = QStringLiteral("biaoge");
    type.iconPng = applicationIconPng();
    rt::installDesktopFileType(type, rt::userDataDirectory());
}

std::string programDirectoryText() { return rt::textFromPath(rt::programDirectory()); }

}  // namespace

int32_t registerFileType(RegistrationMode mode, const FileTypeTexts& texts) {
    rt::RegistryStore registry(rt::classesRegistryPath());
    if (mode == RegistrationMode::Check) return registry.defaultValue(openCommandKey(texts)) ? 1 : 0;
    registry.setDefaultValue("." + texts.extension + "\\", texts.fileTypeKey);
    registry.setDefaultValue(texts.fileTypeKey + "\\", texts.description);
    registry.setDefaultValue(texts.fileTypeKey + "\\DefaultIcon\\", texts.iconFile + " ,0");
    bool registered =
        registry.setDefaultValue(openCommandKey(texts), "\"" + texts.programPath + "\" \"%1\"");
    installOnDesktop(texts);
    return registered ? 1 : 0;
}

void ensureTableFileTypeRegistered() {
    std::string directory = programDirectoryText();
    FileTypeTexts texts{directory + "/" + rt::textFromPath(rt::programFileName()), "bge", directory + "/rxqo.iso",
                        "表格文件", "plomut"};
    // An installed package has registered the type for every user already.
    if (registerFileType(RegistrationMode::Check, texts) == 1 || rt::systemDeclaresMimeType(mimeTypeOf(texts))) return;
    // A failed write leaves the association pointing at a missing icon, which only
    // costs the picture.
    QByteArray icon = applicationIconPng();
    std::ofstream(rt::pathFromText(texts.iconFile), std::ios::binary | std::ios::trunc)
        .write(icon.constData(), icon.size());
    registerFileType(RegistrationMode::Register, texts);
}

}  // namespace app
