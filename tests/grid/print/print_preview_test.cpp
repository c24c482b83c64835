// The preview window driven as a person drives it: buttons, keys and zoom.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "grid/print/print_preview.h"
#include "runtime/platform/gbk_codec.h"
#include "tests/grid/view/grid_fixture.h"

namespace {

// A grid of 100 rows of 10 mm on A4: 25 rows to a page (the body is 2970 - 460 high),
// four pages.
class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() : table(100, 4) {
        table.source.setRowHeight(0, 100, 100);
        for (int row = 0; row < 100; ++row) table.source.setCellText(row, 0, std::to_string(row + 1));
        preview = grid::PrintPreviewWindow::open(table.grid);
        preview->resize(800, 600);
        QApplication::processEvents();
    }
    ~PreviewTest() override { delete preview; }

    QPushButton* button(const char16_t* caption) {
        for (QPushButton* candidate : preview->findChildren<QPushButton*>()) {
            if (candidate->text() == QString::fromUtf16(caption)) return candidate;
        }
        ADD_FAILURE() << "no button " << QString::fromUtf16(caption).toStdString();
        return nullptr;
    }
    QString counter() {
        for (QLabel* label : preview->findChildren<QLabel*>()) {
            if (label->text().contains(QLatin1Char('/'))) return label->text();
        }
        return {};
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(preview, key, modifiers); }

    GridFixture table;
    grid::PrintPreviewWindow* preview = nullptr;
};

TEST_F(PreviewTest, OpensOnceWithItsButtonsAndPageCounter) {
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->windowTitle(), QStringLiteral(u"打印预览"));
    EXPECT_EQ(preview->pageCount(), 4u);
    EXPECT_EQ(counter(), QStringLiteral("1 / 4"));
    EXPECT_EQ(grid::PrintPreviewWindow::open(table.grid), preview) << "a second preview raises the first";
    const char16_t* captions[] = {u"打印", u"打印设置", u"上页", u"下页", u"到指定页",
                                  u"放大", u"缩小",     u"等宽", u"等高", u"退出"};
    int right = -1;
    for (const char16_t* caption : captions) {
        QPushButton* found = button(caption);
        ASSERT_TRUE(found);
        EXPECT_GT(found->x(), right) << "buttons run left to right in this order";
        right = found->geometry().right();
    }
}

TEST_F(PreviewTest, PagesMoveByButtonKeyAndJump) {
    button(u"下页")->click();
    EXPECT_EQ(counter(), QStringLiteral("2 / 4"));
    press(Qt::Key_PageDown);
    EXPECT_EQ(preview->currentPage(), 2u);
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(counter(), QStringLiteral("4 / 4"));
    press(Qt::Key_PageDown);
    EXPECT_EQ(preview->currentPage(), 3u) << "no page after the last";
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(preview->currentPage(), 0u);
    button(u"上页")->click();
    EXPECT_EQ(counter(), QStringLiteral("1 / 4"));

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral(u"页面跳转:"));
        EXPECT_EQ(dialog->labelText(), QStringLiteral(u"请输入欲跳转到页号(1-4):"));
        dialog->setIntValue(3);
        dialog->accept();
    });
    button(u"到指定页")->click();
    EXPECT_EQ(counter(), QStringLiteral("3 / 4"));
    preview->show();
    press(Qt::Key_Escape);
    EXPECT_FALSE(preview->isVisible()) << "Escape leaves the preview as 退出 does";
}

TEST_F(PreviewTest, ZoomStaysWithinItsLimitsAndFitsThePaper) {
    for (int i = 0; i < 20; ++i) button(u"放大")->click();
    EXPECT_EQ(preview->zoom(), 3000);
    for (int i = 0; i < 20; ++i) button(u"缩小")->click();
    EXPECT_EQ(preview->zoom(), 200);
    QWidget* view = preview->findChild<grid::PreviewPageView*>()->viewport();
    button(u"等宽")->click();
    EXPECT_EQ(preview->zoom(), std::max(200, view->width() * 1000 / (2100 + 100)));
    button(u"等高")->click();
    EXPECT_EQ(preview->zoom(), std::max(200, view->height() * 1000 / (2970 + 150)));
    // A zoom the person chose survives a resize.
    button(u"放大")->click();
    const int32_t chosen = preview->zoom();
    preview->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(preview->zoom(), chosen);
}

TEST_F(PreviewTest, ThePageIsAWhiteSheetWithAShadowAndItsRows) {
    preview->setZoom(1000, true);
    auto* view = preview->findChild<grid::PreviewPageView*>();
    QImage image(view->viewport()->size(), QImage::Format_RGB32);
    view->viewport()->render(&image);
    // At zoom 1000 one pixel is 0.1 mm; the sheet starts 50 from the top.
    const int left = std::max(50, (image.width() - 2100) / 2);
    EXPECT_EQ(image.pixel(left + 5, 55) & 0xFFFFFF, 0xFFFFFFu) << "paper";
    EXPECT_EQ(image.pixel(left + 5, 20) & 0xFFFFFF, 0x404040u) << "ground above the sheet";
    // The first row's text "1" sits inside the print rectangle at (230, 230).
    EXPECT_FALSE(inkBounds(image, QRect(left + 230, 50 + 230, 300, 100), 0xFFFFFF).isEmpty());

    press(Qt::Key_Down);
    EXPECT_EQ(view->verticalScrollBar()->value(), 1);
    press(Qt::Key_End);
    EXPECT_EQ(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
    EXPECT_EQ(view->verticalScrollBar()->maximum(), (2970 + 100 - view->viewport()->height()) / 30 + 1);
}

}  // namespace
