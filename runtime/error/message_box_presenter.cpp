#include "runtime/error/message_box_presenter.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

#include "runtime/error/runtime_error.h"
#include "runtime/platform/gbk_codec.h"

namespace rt {
namespace {

void presentInMessageBox(const std::string& text) {
    std::string utf8 = gbkToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QString shown = fromGbk(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), shown, QMessageBox::Ok);
    box.exec();
}

}  // namespace

void installMessageBoxErrorPresenter() { setErrorPresenter(presentInMessageBox); }

}  // namespace rt
