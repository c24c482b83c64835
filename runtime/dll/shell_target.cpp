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

// The desktop entry of the default application for plain text, from its MIME
// association; empty when there is none.
QString defaultTextEditorEntry() {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(2000) || query.exitCode() != 0) return {};
    QString entryName = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    return entryName.isEmpty() ? QString() : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entryName);
}

// The Exec line of a desktop entry's main group; empty when it has none.
QString execLineOf(const QString& entryPath) {
    QFile entry(entryPath);
    if (entryPath.isEmpty() || !entry.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    bool inMainGroup = false;
    while (!entry.atEnd()) {
        QString line = QString::fromUtf8(entry.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('['))) inMainGroup = line == QStringLiteral("[Desktop Entry]");
        if (inMainGroup && line.startsWith(QStringLiteral("Exec="))) return line.mid(5);
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
    // The default editor starts the way its desktop entry says, which may be through
    // a wrapper (flatpak run …, env …): the wrapper alone opens no window.
    if (withoutExeSuffix(file).compare(QStringLiteral("notepad"), Qt::CaseInsensitive) == 0) {
        QStringList command = desktopEntryCommand(execLineOf(defaultTextEditorEntry()), QProcess::splitCommand(parameters));
        QString program = command.isEmpty() ? QString() : QStandardPaths::findExecutable(command.front());
        if (!program.isEmpty()) {
            target.kind = ShellTarget::Kind::Program;
            target.program = program;
            target.arguments = command.mid(1);
            return target;
        }
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
    QStringList candidates;
    if (program.compare(QStringLiteral("notepad"), Qt::CaseInsensitive) == 0) {
        QStringList editor = desktopEntryCommand(execLineOf(defaultTextEditorEntry()), {});
        if (!editor.isEmpty()) candidates.append(editor.front());
    }
    // The desktop's own programs come before the name itself: "calc" may well be a
    // program for the console, which starts without a window nobody can see.
    for (const auto& equivalents : kEquivalents) {
        if (program.compare(QString::fromUtf16(equivalents.name), Qt::CaseInsensitive) != 0) continue;
        for (const char16_t* equivalent : equivalents.programs) candidates.append(QString::fromUtf16(equivalent));
    }
    candidates.append(program);
    return candidates;
}

QStringList desktopEntryCommand(const QString& execLine, const QStringList& files) {
    QStringList command;
    bool filesPlaced = false;
    for (const QString& word : QProcess::splitCommand(execLine)) {
        if (word == QStringLiteral("%f") || word == QStringLiteral("%u")) {
            if (!files.isEmpty()) command.append(files.front());
            filesPlaced = true;
        } else if (word == QStringLiteral("%F") || word == QStringLiteral("%U")) {
            command.append(files);
            filesPlaced = true;
        } else if (word.size() == 2 && word.front() == QLatin1Char('%') && word != QStringLiteral("%%")) {
            continue;  // %i, %c, %k and the deprecated codes stand for nothing here
        } else {
            QString plain = word;
            command.append(plain.replace(QStringLiteral("%%"), QStringLiteral("%")));
        }
    }
    if (!filesPlaced && !command.isEmpty()) command.append(files);
    return command;
}

}  // namespace rt
