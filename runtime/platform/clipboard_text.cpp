#include "runtime/platform/clipboard_text.h"

#include <QClipboard>
#include <QGuiApplication>

#include "runtime/platform/gbk_codec.h"

namespace rt {

std::string clipboardText() {
    QString text = QGuiApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return toGbk(text);
}

void setClipboardText(std::string_view gbk) {
    QString text = fromGbk(gbk);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace rt
