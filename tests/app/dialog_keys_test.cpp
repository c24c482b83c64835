// The editor's windows from the keyboard and to assistive technology: a real dialog
// used with Tab, Enter and Escape alone, and the print preview as a named window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/units/data_source_ref.h"
#include "app/window_ids.h"
#include "grid/print/print_preview.h"
#include "runtime/window/loaded_window.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/main_window_start.h"

namespace {

using namespace app;
using namespace dialog_driver;

constexpr uint32_t kInsertRowCol = window_id::InsertRowColDialog;

class DialogKeysTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override { ASSERT_TRUE(startMainWindow()); }
    void TearDown() override { closeMainWindow({kInsertRowCol}); }

    // The unit of the dialog that holds the keyboard focus, by its name.
    static std::string focusedUnit(uint32_t dialog) {
        for (const auto& unit : rt::WindowRuntime::instance().loadedWindow(dialog)->units()) {
            QWidget* widget = unit->widget();
            if (widget && (widget == QApplication::focusWidget() || widget->isAncestorOf(QApplication::focusWidget())))
                return unit->name();
        }
        return "(none)";
    }
};

TEST_F(DialogKeysTest, InsertRowsAndColumnsByKeyboardAlone) {
    open(kInsertRowCol);
    rt::LoadedWindow* dialog = rt::WindowRuntime::instance().loadedWindow(kInsertRowCol);
    QApplication::setActiveWindow(dialog);
    ASSERT_EQ(QApplication::activeWindow(), dialog);

    // 行数 and 列数 on the first line with 确定 at its end; the box and 取消 below.
    const std::vector<std::string> reading = {"编辑框1", "编辑框2", "按钮1", "选择框1", "按钮2"};
    std::vector<std::string> visited{focusedUnit(kInsertRowCol)};
    while (visited.size() < reading.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(focusedUnit(kInsertRowCol));
    }
    EXPECT_EQ(visited, reading);

    // Enter in the rows box presses 确定: two rows go in, and the dialog stays for more.
    const int32_t rowsBefore = mainDataSource().rowCount();
    QLineEdit* rows = box(kInsertRowCol, "编辑框1");
    rows->setFocus();
    rows->selectAll();
    QTest::keyClicks(rows, QStringLiteral("2"));
    QTest::keyClick(rows, Qt::Key_Return);
    EXPECT_EQ(mainDataSource().rowCount(), rowsBefore + 2);
    ASSERT_TRUE(isOpen(kInsertRowCol));

    // Escape is 取消: nothing more goes in, and the dialog is gone.
    QTest::keyClick(rows, Qt::Key_Escape);
    EXPECT_FALSE(isOpen(kInsertRowCol));
    EXPECT_EQ(mainDataSource().rowCount(), rowsBefore + 2);
}

TEST_F(DialogKeysTest, ThePrintPreviewIsAWindowNamedByItsCaption) {
    grid::PrintPreviewWindow* preview = grid::PrintPreviewWindow::open(mainGridWidget());
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(preview);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral(u"打印预览"));
    preview->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
