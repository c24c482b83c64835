#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include "runtime/dll/builtin_functions.h"
#include "runtime/dll/shell_target.h"
#include "runtime/dll/window_handles.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/blocks.h"

namespace rt::builtin {
namespace {

// The platform's answers: above 32 means started; these two name the failures.
constexpr int32_t kStarted = 42;
constexpr int32_t kFileNotFound = 2;
constexpr int32_t kNoAssociation = 31;

// A started program lives on its own: it keeps none of the editor's output streams,
// which would otherwise stay open for as long as the program runs.
bool startProgram(const ShellTarget& target, const QString& directory) {
    QProcess process;
    process.setProgram(target.program);
    process.setArguments(target.arguments);
    process.setWorkingDirectory(directory);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

}  // namespace

// Only the "open" operation (or none) is known. Failures are returned, never shown:
// the application ignores them.
Value shellExecute(const Value* arguments) {
    QString operation = fromGbk(textOf(arguments[1].pointer()));
    QString file = fromGbk(textOf(arguments[2].pointer()));
    QString parameters = fromGbk(textOf(arguments[3].pointer()));
    QString directory = fromGbk(textOf(arguments[4].pointer()));
    return onInterfaceThread([=] {
        if (!operation.isEmpty() && operation.compare(QStringLiteral("open"), Qt::CaseInsensitive) != 0) {
            return Value::integer(kNoAssociation);
        }
        ShellTarget target = shellTargetFor(file, parameters);
        switch (target.kind) {
            case ShellTarget::Kind::Program: return Value::integer(startProgram(target, directory) ? kStarted : kFileNotFound);
            case ShellTarget::Kind::Address:
                return Value::integer(QDesktopServices::openUrl(QUrl::fromUserInput(target.address)) ? kStarted
                                                                                                      : kNoAssociation);
            case ShellTarget::Kind::File:
                return Value::integer(QDesktopServices::openUrl(QUrl::fromLocalFile(target.address)) ? kStarted
                                                                                                     : kNoAssociation);
            case ShellTarget::Kind::None: break;
        }
        return Value::integer(kFileNotFound);
    });
}

}  // namespace rt::builtin
