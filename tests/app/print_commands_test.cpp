// 打印设置 and 打印 from the main window's menu routines, with the page setup answered
// through its controls.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QFileInfo>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "grid/model/data_source.h"
#include "runtime/platform/gbk_codec.h"
#include "tests/app/main_window_start.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace app;

// Answers the page setup with `fill` and then 确认 (or 取消), and notes the texts of
// the message boxes that follow.
class PageSetupAnswer {
public:
    PageSetupAnswer(std::function<void(QWidget&)> fill, bool confirm) : fill_(std::move(fill)), confirm_(confirm) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
        poll_.start(5);
    }
    QStringList messages;
    int setups = 0;

private:
    void answer() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal->property("answered").toBool()) return;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            modal->setProperty("answered", true);
            messages << box->text();
            QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        } else if (auto* confirm = modal->findChild<QPushButton*>(QStringLiteral("confirm"))) {
            modal->setProperty("answered", true);
            ++setups;
            fill_(*modal);
            QPushButton* button = confirm_ ? confirm : modal->findChild<QPushButton*>(QStringLiteral("cancel"));
            QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
        }
    }
    std::function<void(QWidget&)> fill_;
    bool confirm_;
    QTimer poll_;
};

void typeInto(QWidget& dialog, const char* name, const QString& text) {
    auto* edit = dialog.findChild<QAbstractSpinBox*>(QString::fromLatin1(name));
    ASSERT_TRUE(edit) << name;
    edit->findChild<QLineEdit*>()->setText(text);
}

const grid::PageSettings& tableSettings() { return mainGridWidget().dataSource()->provider()->pageSettings(); }

class PrintCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initialiseRuntime(); }
    void SetUp() override {
        ASSERT_TRUE(startMainWindow());
        mainDataSource().setCellText(1, 1, rt::toGbk(QStringLiteral(u"季度合计")));
        appState().modified = 0;
    }
    void TearDown() override { closeMainWindow(); }
    TempDir folder;
};

TEST_F(PrintCommandsTest, AConfirmedPageSetupIsKeptAndMarksTheDocument) {
    {
        PageSetupAnswer answer([](QWidget& dialog) { typeInto(dialog, "marginTop", QStringLiteral("15")); }, false);
        routines::printSetup({});
        EXPECT_EQ(answer.setups, 1);
    }
    EXPECT_EQ(tableSettings().marginTop, 230);
    EXPECT_EQ(appState().modified, 0) << "a cancelled page setup changes nothing";

    const int32_t undoBefore = appState().undoPosition;
    PageSetupAnswer answer(
        [](QWidget& dialog) {
            typeInto(dialog, "marginTop", QStringLiteral("15"));
            dialog.findChild<QComboBox*>(QStringLiteral("pageNumberPosition"))->setCurrentIndex(5);
        },
        true);
    routines::printSetup({});
    EXPECT_EQ(tableSettings().marginTop, 150);
    EXPECT_EQ(tableSettings().pageNumberPosition, 5);
    EXPECT_EQ(appState().modified, 1) << "margins are saved with the table";
    EXPECT_GT(appState().undoPosition, undoBefore);
}

TEST_F(PrintCommandsTest, PrintRunsThePageSetupThenWritesThePdf) {
    const QString pdf = QString::fromStdString(folder.path().string()) + QStringLiteral(u"/表格.pdf");
    PageSetupAnswer answer(
        [&](QWidget& dialog) {
            dialog.findChild<QCheckBox*>(QStringLiteral("printToFile"))->setChecked(true);
            dialog.findChild<QLineEdit*>(QStringLiteral("printFileName"))->setText(pdf);
        },
        true);
    routines::printTable({});
    EXPECT_TRUE(answer.messages.isEmpty()) << answer.messages.join(QLatin1Char('|')).toStdString();
    ASSERT_TRUE(QFileInfo::exists(pdf));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    text.waitForFinished(30000);
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains(QStringLiteral(u"季度合计")));
}

TEST_F(PrintCommandsTest, AFailedPrintSaysWhy) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer installed";
    PageSetupAnswer answer([](QWidget&) {}, true);
    routines::printTable({});
    EXPECT_EQ(answer.messages, QStringList{QStringLiteral(u"无法创建打印机设备")});
}

}  // namespace
