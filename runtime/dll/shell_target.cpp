#include "runtime/dll/shell_target.h"

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
    QString name = withoutExeSuffix(file);
    QStringList candidates{name};
    for (const auto& equivalents : kEquivalents) {
        if (name.compare(QString::fromUtf16(equivalents.name), Qt::CaseInsensitive) != 0) continue;
        for (const char16_t* program : equivalents.programs) candidates.append(QString::fromUtf16(program));
    }
    for (const QString& candidate : candidates) {
        QString program = QFileInfo(candidate).isAbsolute() ? candidate : QStandardPaths::findExecutable(candidate);
        if (program.isEmpty() || !QFileInfo(program).isExecutable()) continue;
        target.kind = ShellTarget::Kind::Program;
        target.program = program;
        target.arguments = QProcess::splitCommand(parameters);
        return target;
    }
    return target;
}

}  // namespace rt
