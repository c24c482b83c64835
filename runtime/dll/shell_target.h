#pragma once

#include <QString>
#include <QStringList>

namespace rt {

// What "open" of a name means on this desktop: a program to start, an address or a
// file to hand to the desktop's default application, or nothing found.
struct ShellTarget {
    enum class Kind { None, Program, Address, File };
    Kind kind = Kind::None;
    QString program;
    QStringList arguments;
    QString address;
};

// The names the application opens that have no program of that name here ("calc",
// "NOTEPAD") map to the first installed program of a short list of equivalents.
ShellTarget shellTargetFor(const QString& file, const QString& parameters);

// The programs, in order, that "open" of a program name tries: its equivalents, then
// the name itself; for "NOTEPAD" the desktop's default text editor comes first.
QStringList programCandidatesFor(const QString& name);

// The command a desktop entry's Exec line runs for these files: the line split into
// words, its file codes (%f %F %u %U) replaced by the files, its other codes dropped
// and "%%" turned into "%"; files go last when the line names no place for them.
QStringList desktopEntryCommand(const QString& execLine, const QStringList& files);

}  // namespace rt
