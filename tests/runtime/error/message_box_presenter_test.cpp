#include "runtime/error/message_box_presenter.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTimer>

#include "runtime/error/lifecycle.h"
#include "runtime/error/runtime_error.h"
#include "runtime/platform/gbk_codec.h"
#include "tests/support/qt_application.h"
#include "tests/support/temp_dir.h"

namespace {

std::string& seenPath() {
    static std::string path;
    return path;
}

void neverCalled() { writeWholeFile(seenPath() + ".exit", "ran"); }

TEST(MessageBoxPresenter, ShowsTheErrorBoxThenEndsTheProcess) {
    TempDir dir;
    seenPath() = dir.file("box");
    EXPECT_EXIT(
        {
            testApplication();
            rt::installMessageBoxErrorPresenter();
            rt::registerExitRoutine(neverCalled);
            QTimer::singleShot(0, [] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                std::string seen = rt::toGbk(box->windowTitle()) + "|" + rt::toGbk(box->text()) + "|" +
                                   std::to_string(box->icon() == QMessageBox::Critical) + "|" +
                                   std::to_string(box->buttons().size());
                writeWholeFile(seenPath(), seen);
                box->accept();
            });
            rt::reportRuntimeError(rt::RuntimeErrorCode::IndexBelowOne);
        },
        ::testing::ExitedWithCode(255), "");
    EXPECT_EQ(readWholeFile(seenPath()),
              "错误|运行时出错!\n\n错误代码：4\n\n错误信息：数组成员引用下标必须大于等于1\n|1|1");
    EXPECT_EQ(readWholeFile(seenPath() + ".exit"), "");
}

}  // namespace
