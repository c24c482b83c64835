#include "runtime/dll/shell_target.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace rt {
namespace {

struct ProgramEquivalents {
    const char16_t* name;
    std::initializer_list<const char16_t*> programs;
};

const ProgramEquivalents kEquivalents[] = {
    {u"calc", {u"gnome-calculator", u"kcalc", u"galculator", u"mate-calc", u"qalculate-gtk", u"xcalc"}},
    {u"notepad", {u"gnome-text-editor", u"gedit", u"kate", u"kwrite", u"mousepad", u"xed", u"pluma", u"featherpad",
                  u"leafpad"}},
};

QString withoutExeSuffix(const QString& name) {
    return name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

// The program of the desktop's default application for plain text, from its MIME
// association and the Exec line of its desktop entry; empty when either is missing.
QString defaultTextEditor() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(2000) || query.exitCode() != 0) return {};
    QString entryName = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    QString entryPath = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entryName);
    QFile entry(entryPath);
    if (entryName.isEmpty() || entryPath.isEmpty() || !entry.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    bool inMainGroup = false;
    while (!entry.atEnd()) {
        QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) inMainGroup = line == QStringLiteral("[Desktop Entry]");
        if (!inMainGroup || !line.startsWith(QStringLiteral("Exec="))) continue;
        QStringList command = QProcess::splitCommand(line.mid(5));
        return command.isEmpty() ? QString() : command.front();
    }
    return {};
}

bool looksLikeAddress(const QString& file) {
    return file.contains(QStringLiteral("://")) || file.startsWith(QStringLiteral("www."), Qt::CaseInsensitive) ||
           file.startsWith(QStringLiteral("mailto:"), Qt::CaseInsensitive);
}

}  // namespace

ShellTarget shellTargetFor(const QString& file, const QString& parameters) {
    ShellTarget target;
    if (file.isEmpty()) return target;
    if (looksLikeAddress(file)) {
        target.kind = ShellTarget::Kind::Address;
        target.address = file;
        return target;
    }
    if (QFileInfo(file).isFile() && !QFileInfo(file).isExecutable()) {
        target.kind = ShellTarget::Kind::File;
        target.address = file;
        return target;
    }
    for (const QString& candidate : programCandidatesFor(file)) {
        QString program = QFileInfo(candidate).isAbsolute() ? candidate : QStandardPaths::findExecutable(candidate);
        if (program.isEmpty() || !QFileInfo(program).isExecutable()) continue;
        target.kind = ShellTarget::Kind::Program;
        target.program = program;
        target.arguments = QProcess::splitCommand(parameters);
        return target;
    }
    return target;
}

QStringList programCandidatesFor(const QString& name) {
    QString program = withoutExeSuffix(name);
    QStringList candidates{program};
    if (program.compare(QStringLiteral("notepad"), Qt::CaseInsensitive) == 0) {
        QString editor = defaultTextEditor();
        if (!editor.isEmpty()) candidates.prepend(editor);
    }
    for (const auto& equivalents : kEquivalents) {
        if (program.compare(QString::fromUtf16(equivalents.name), Qt::CaseInsensitive) != 0) continue;
        for (const char16_t* equivalent : equivalents.programs) candidates.append(QString::fromUtf16(equivalent));
    }
    return candidates;
}

}  // namespace rt
