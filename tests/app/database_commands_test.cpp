// The database commands as a person uses them: connect to a SQLite file through the
// data source dialog, pick a table, edit it in the grid, disconnect, and connect again
// from the remembered text. Every dialog is answered as a person would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <filesystem>

#include "app/application.h"
#include "app/routines/routine.h"
#include "app/settings/table_settings.h"
#include "app/state/app_state.h"
#include "app/units/data_source_ref.h"
#include "app/units/database_ref.h"
#include "app/units/main_menu_items.h"
#include "app/window_ids.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/platform/settings_location.h"
#include "runtime/value/program_location.h"
#include "runtime/window/unit_access.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/window_runtime.h"
#include "tests/app/dialog_driver.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_script.h"
#include "tests/app/user_directories.h"
#include "tests/grid/odbc/separate_connection.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace app;

// The data source dialog: its SQLite file button, the file, then 确定.
void pickSqliteFile(Script& script, const fs::path& file) {
    script.then(QStringLiteral("选择数据源: SQLite file button"), [](QWidget* modal) {
        if (!titled(modal, u"选择数据源")) return false;
        QMetaObject::invokeMethod(modal->findChild<QPushButton*>(QStringLiteral("sqliteFile")), "click",
                                  Qt::QueuedConnection);
        return true;
    });
    script.then(QStringLiteral("the file dialog"), [file](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        if (!files) return false;
        // Typed as a person would: selectFile() leaves the name field alone while it
        // has the focus, and accept() then finds no file and keeps the dialog open.
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name) return false;
        name->setText(QString::fromStdString(file.string()));
        QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        return true;
    });
    script.then(QStringLiteral("选择数据源 with the file: 确定"), [](QWidget* modal) {
        auto* text = modal->findChild<QLineEdit*>(QStringLiteral("connectionText"));
        if (!titled(modal, u"选择数据源") || !text || !text->text().contains(QStringLiteral("NoCreat=1"))) return false;
        click(modal, QStringLiteral("确定"));
        return true;
    });
}

class DatabaseCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        isolatedUserDirectories();
        initialiseRuntime();
    }
    void SetUp() override {
        std::error_code ignored;
        fs::remove(settingsPath(), ignored);
        ASSERT_TRUE(startMainWindow());
        separate_ = std::make_unique<SeparateConnection>(u"Driver=SQLite3;Database=" + utf16(address_) + u";");
        ASSERT_TRUE(separate_->isOpen());
        for (const char16_t* sql :
             {u"create table 职工 (编号 integer primary key, 姓名 varchar(20) not null, 年龄 integer check (年龄 > 0))",
              u"insert into 职工 values (1, '张三', 30)", u"insert into 职工 values (2, '李四', 40)",
              u"insert into 职工 values (3, '王五', 25)"}) {
            ASSERT_TRUE(separate_->execute(sql).empty());
        }
    }
    void TearDown() override {
        closeMainWindow();
        std::error_code ignored;
        fs::remove(settingsPath(), ignored);
    }

    static fs::path settingsPath() { return rt::settingsFilePath(rt::programDirectory()); }
    static std::u16string utf16(const QString& text) {
        return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size()));
    }
    static std::string remembered() { return settingsFile().read("数据库", "连接文本", ""); }

    TempDir folder_;
    // Named in UTF-16: a narrow literal here is GBK, and file names are UTF-8.
    fs::path file_ = folder_.path() / std::u16string(u"人事.db");
    // The driver misreads a Chinese file name in a wide connection text; the tests
    // reach the file as the dialog does, by its file: address.
    QString address_ = QString::fromLatin1(QUrl::fromLocalFile(QString::fromStdString(file_.string())).toEncoded());
    std::unique_ptr<SeparateConnection> separate_;
};

TEST_F(DatabaseCommandsTest, ATableOfASqliteFileIsEditedInTheGridAndTheOwnTableComesBack) {
    DataSourceRef table = mainDataSource();
    table.setCellText(1, 1, "自己的表");
    routines::recordSnapshot({});
    appState().modified = 0;
    const int32_t ownRows = table.rowCount();
    auto isEnabled = [](uint32_t item) { return !rt::UnitAccess(window_id::MainWindow, item).logical(2); };

    Script script;
    pickSqliteFile(script, file_);
    enterQuery(script, u"职工");
    routines::connectDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    EXPECT_EQ(appState().databaseConnected, 1);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(table.cellText(2, 2), "李四");
    EXPECT_EQ(table.cellText(3, 3), "25");

    // Database edits are written at once: there is nothing to undo while it is shown,
    // and pressing Undo there leaves the own table's history where it was.
    EXPECT_FALSE(isEnabled(main_menu_item::Undo));
    EXPECT_FALSE(isEnabled(main_menu_item::Redo));
    routines::undo({});
    routines::undo({});
    EXPECT_EQ(appState().undoPosition, 2);
    EXPECT_EQ(table.cellText(2, 2), "李四");

    // As the grid does after an edit: the database has the change, the document
    // (the in-memory table) has none.
    table.setCellText(2, 2, "赵六");
    routines::recordSnapshot({});
    EXPECT_EQ(separate_->value(u"select 姓名 from 职工 where 编号 = 2"), u"赵六");
    EXPECT_EQ(appState().modified, 0);

    // The settings keep what reopens the same file, and nothing more.
    const std::string kept = remembered();
    EXPECT_NE(kept.find("SQLite3"), std::string::npos) << kept;
    EXPECT_NE(kept.find("NoCreat=1"), std::string::npos) << kept;
    EXPECT_NE(rt::fromGbk(kept).indexOf(address_), -1) << kept;

    // The grid raises no event when the other table comes back; the status bar still
    // shows where its selection is.
    rt::UnitAccess status(window_id::MainWindow, main_unit::StatusBar);
    status.setText(rt::kFirstOwnProperty, "行:3 列:4", 0);
    routines::disconnectDatabase({});
    EXPECT_EQ(appState().databaseConnected, 0);
    EXPECT_EQ(table.rowCount(), ownRows);
    EXPECT_EQ(table.cellText(1, 1), "自己的表");
    EXPECT_EQ(status.text(rt::kFirstOwnProperty, 0), "行:1 列:1");
    EXPECT_TRUE(isEnabled(main_menu_item::Undo));
    routines::undo({});
    EXPECT_EQ(table.cellText(1, 1), "") << "one step back in the own table's history";
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}

TEST_F(DatabaseCommandsTest, ARefusedEditShowsTheDriversMessageAndTheStoredValue) {
    Script script;
    pickSqliteFile(script, file_);
    enterQuery(script, u"select 姓名, 年龄 from 职工 order by 编号");
    routines::connectDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    ASSERT_EQ(mainDataSource().rowCount(), 3);

    pressOkOnBox(script, u"错误：");
    mainDataSource().setCellText(1, 2, "-5");
    settle(script);
    ASSERT_EQ(script.boxTexts().size(), 1u);
    EXPECT_TRUE(script.boxTexts()[0].contains(QStringLiteral("CHECK"), Qt::CaseInsensitive)) << script.boxTexts()[0].toStdString();
    EXPECT_EQ(mainDataSource().cellText(1, 2), "30");
    EXPECT_EQ(separate_->value(u"select 年龄 from 职工 where 编号 = 1"), u"30");
    routines::disconnectDatabase({});
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}

TEST_F(DatabaseCommandsTest, TheRememberedConnectionAsksNothingForSqliteAndOffersTheQueriesUsed) {
    Script script;
    pickSqliteFile(script, file_);
    enterQuery(script, u"职工");
    routines::connectDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    routines::disconnectDatabase({});

    pressOkOnBox(script, u"错误：");
    routines::openSqlQuery({});
    ASSERT_EQ(script.boxTexts().size(), 1u);
    EXPECT_EQ(script.boxTexts()[0], QStringLiteral("未连接数据库！"));

    QStringList listed;
    enterQuery(script, u"select 姓名 from 职工 where 年龄 > 26", &listed);
    routines::connectRecentDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    EXPECT_EQ(listed, QStringList{QStringLiteral("职工")});
    EXPECT_EQ(appState().databaseConnected, 1);
    EXPECT_EQ(mainDataSource().rowCount(), 2);
    EXPECT_EQ(mainDataSource().columnCount(), 1);
    routines::disconnectDatabase({});
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}

TEST_F(DatabaseCommandsTest, ARememberedUserIsAskedForThePasswordWhichIsNeverStored) {
    settingsFile().write("数据库", "连接文本",
                         rt::toGbk(QStringLiteral("Driver=SQLite3;Database=") + address_ +
                                   QStringLiteral(";NoCreat=1;UID=li")));
    Script script;
    typePassword(script, u"秘密");
    enterQuery(script, u"职工");
    routines::connectRecentDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    EXPECT_EQ(mainDataSource().rowCount(), 3);
    EXPECT_EQ(rt::fromGbk(remembered()).indexOf(QStringLiteral("秘密")), -1) << remembered();
    EXPECT_EQ(remembered().find("PWD"), std::string::npos) << remembered();
    routines::disconnectDatabase({});
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}

TEST_F(DatabaseCommandsTest, TheQueryDialogKeepsEachQueryOnceAndARejectedQueryKeepsTheRowsShown) {
    Script script;
    pickSqliteFile(script, file_);
    // 确定 on an empty text leaves the dialog open; Enter in the box confirms.
    script.then(QStringLiteral("SqlQueryDialog: empty text, then Enter"), [](QWidget*) {
        if (!dialog_driver::isOpen(window_id::SqlQueryDialog)) return false;
        dialog_driver::unitWidget<QPushButton>(window_id::SqlQueryDialog, "按钮2")->click();
        EXPECT_TRUE(dialog_driver::isOpen(window_id::SqlQueryDialog));
        auto* box = dialog_driver::unitWidget<QComboBox>(window_id::SqlQueryDialog, "组合框1");
        box->setEditText(QStringLiteral("职工"));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        return true;
    });
    routines::connectDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    EXPECT_EQ(mainDataSource().rowCount(), 3);

    QStringList offered;
    enterQuery(script, u"职工", &offered);
    routines::openSqlQuery({});
    EXPECT_EQ(offered, QStringList{QStringLiteral("职工")});

    offered.clear();
    enterQuery(script, u"甲|乙", &offered);
    pressOkOnBox(script, u"错误：");
    routines::openSqlQuery({});
    settle(script);
    EXPECT_EQ(offered, QStringList{QStringLiteral("职工")});
    EXPECT_EQ(mainDataSource().rowCount(), 3);
    EXPECT_EQ(mainDataSource().cellText(1, 2), "张三");
    EXPECT_EQ(script.boxTexts().size(), 1u);

    // Cancel keeps the provider's query; the history splits at "|".
    offered.clear();
    script.then(QStringLiteral("SqlQueryDialog: 取消"), [&offered](QWidget*) {
        if (!dialog_driver::isOpen(window_id::SqlQueryDialog)) return false;
        auto* box = dialog_driver::unitWidget<QComboBox>(window_id::SqlQueryDialog, "组合框1");
        for (int i = 0; i < box->count(); ++i) offered.push_back(box->itemText(i));
        EXPECT_EQ(box->currentText(), QStringLiteral("甲|乙"));
        QMetaObject::invokeMethod(dialog_driver::unitWidget<QPushButton>(window_id::SqlQueryDialog, "按钮3"), "click",
                                  Qt::QueuedConnection);
        return true;
    });
    routines::openSqlQuery({});
    EXPECT_EQ(offered, (QStringList{QStringLiteral("职工"), QStringLiteral("甲"), QStringLiteral("乙")}));
    EXPECT_EQ(externalProvider().query(), "甲|乙");
    routines::disconnectDatabase({});
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}

TEST_F(DatabaseCommandsTest, AConnectionThatFailsShowsTheDriversMessageAndChangesNothing) {
    const std::string missing = (folder_.path() / "missing.db").string();
    settingsFile().write("数据库", "连接文本", "Driver=SQLite3;Database=" + missing + ";NoCreat=1");
    const int32_t ownRows = mainDataSource().rowCount();
    Script script;
    pressOkOnBox(script, u"错误：");
    routines::connectRecentDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    ASSERT_EQ(script.boxTexts().size(), 1u);
    EXPECT_FALSE(script.boxTexts()[0].isEmpty());
    EXPECT_EQ(appState().databaseConnected, 0);
    EXPECT_EQ(mainDataSource().rowCount(), ownRows);
    EXPECT_FALSE(fs::exists(missing));
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}

TEST_F(DatabaseCommandsTest, CancellingTheDataSourceDialogChangesNothing) {
    Script script;
    script.then(QStringLiteral("选择数据源: 取消"), [](QWidget* modal) {
        if (!titled(modal, u"选择数据源")) return false;
        click(modal, QStringLiteral("取消"));
        return true;
    });
    routines::connectDatabase({});
    EXPECT_TRUE(script.finished()) << script.unanswered().toStdString();
    EXPECT_EQ(appState().databaseConnected, 0);
    EXPECT_EQ(remembered(), "");
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}

// 开始筛选 on a database table deletes its records in the database, where no snapshot
// brings them back: it asks first, with No as the default and for Escape, and
// 撤销筛选 says they cannot come back, while the own table's snapshot waits for the
// disconnect.
TEST_F(DatabaseCommandsTest, FilteringADatabaseTableAsksFirstAndItsUndoSaysWhatCannotComeBack) {
    constexpr uint32_t kFilter = window_id::FilterDialog;
    DataSourceRef table = mainDataSource();
    table.setCellText(1, 1, "gone");
    table.setCellText(2, 1, "own");
    routines::openFilter({});
    selectCells(1, 1);
    dialog_driver::click(kFilter, "选择框1");
    dialog_driver::type(kFilter, "编辑框1", "gone");
    dialog_driver::unitWidget<QComboBox>(kFilter, "组合框1")->setCurrentIndex(1);  // 删除
    dialog_driver::pressButton(kFilter, u"开始筛选");
    ASSERT_EQ(table.cellText(1, 1), "own");
    // Opened afresh after connecting: the query dialog leaves an open filter dialog
    // disabled.
    rt::WindowRuntime::instance().destroyWindow(kFilter);

    Script script;
    script.then(QStringLiteral("save the filtered table? 否"), [](QWidget* modal) {
        if (!titled(modal, u"询问：")) return false;
        click(modal, QStringLiteral("否(&N)"));
        return true;
    });
    pickSqliteFile(script, file_);
    enterQuery(script, u"职工");
    routines::connectDatabase({});
    ASSERT_TRUE(script.finished()) << script.unanswered().toStdString();
    ASSERT_EQ(table.rowCount(), 3);
    // Keeps the rows whose name holds 三: 李四 and 王五 go.
    routines::openFilter({});
    selectCells(1, 2);
    dialog_driver::click(kFilter, "选择框4");
    dialog_driver::type(kFilter, "编辑框4", "三");
    QString defaultButton;
    script.then(QStringLiteral("the question: Escape"), [&defaultButton](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box || !titled(modal, u"询问：")) return false;
        defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        QTimer::singleShot(0, box, [box] { QTest::keyClick(box, Qt::Key_Escape); });
        return true;
    });
    dialog_driver::pressButton(kFilter, u"开始筛选");
    settle(script);
    ASSERT_EQ(script.boxTexts().size(), 2u);
    EXPECT_EQ(script.boxTexts()[1], QStringLiteral("将从数据库中删除 2 条记录，此操作不能撤销。是否继续？"));
    EXPECT_EQ(defaultButton, QStringLiteral("否(&N)"));
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(separate_->value(u"select count(*) from 职工"), u"3");

    script.then(QStringLiteral("the question: 是"), [](QWidget* modal) {
        if (!titled(modal, u"询问：")) return false;
        click(modal, QStringLiteral("是(&Y)"));
        return true;
    });
    dialog_driver::pressButton(kFilter, u"开始筛选");
    settle(script);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(separate_->value(u"select 姓名 from 职工"), u"张三");

    pressOkOnBox(script, u"提示：");
    dialog_driver::pressButton(kFilter, u"撤销筛选");
    settle(script);
    ASSERT_EQ(script.boxTexts().size(), 4u);
    EXPECT_EQ(script.boxTexts()[3], QStringLiteral("从数据库中删除的记录不能用撤销筛选恢复。"));
    EXPECT_EQ(separate_->value(u"select count(*) from 职工"), u"1");

    routines::disconnectDatabase({});
    EXPECT_EQ(table.cellText(1, 1), "own");
    selectCells(1, 1);
    dialog_driver::pressButton(kFilter, u"撤销筛选");
    EXPECT_EQ(table.cellText(1, 1), "gone") << "the own table's filtering is undone after the disconnect";
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
    rt::WindowRuntime::instance().destroyWindow(kFilter);
}

}  // namespace

// Each field a replacement changes is written to the database at once: 全部替换 asks
// first, naming how many, and 否 writes nothing. A database table keeps the order of
// its query, so 排序 is refused and says where to sort.
TEST_F(DatabaseCommandsTest, ReplacingInADatabaseTableAsksFirstAndSortingIsRefused) {
    Script script;
    pickSqliteFile(script, file_);
    enterQuery(script, u"职工");
    routines::connectDatabase({});
    ASSERT_TRUE(script.finished()) << script.unanswered().toStdString();
    DataSourceRef table = mainDataSource();
    ASSERT_EQ(table.rowCount(), 3);

    routines::openReplace({});
    dialog_driver::type(window_id::ReplaceDialog, "编辑框_查找", "三");
    dialog_driver::type(window_id::ReplaceDialog, "编辑框_替换", "3");
    auto answerQuestion = [&script](const char16_t* answer) {
        script.then(QStringLiteral("how many fields: answered"), [answer](QWidget* modal) {
            if (!titled(modal, u"询问：")) return false;
            click(modal, QString::fromUtf16(answer));
            return true;
        });
    };
    answerQuestion(u"否(&N)");
    dialog_driver::pressButton(window_id::ReplaceDialog, u"全部替换");
    settle(script);
    EXPECT_EQ(separate_->value(u"select 姓名 from 职工 where 编号 = 1"), u"张三");
    answerQuestion(u"是(&Y)");
    pressOkOnBox(script, u"提示：");
    dialog_driver::pressButton(window_id::ReplaceDialog, u"全部替换");
    settle(script);
    EXPECT_EQ(separate_->value(u"select 姓名 from 职工 where 编号 = 1"), u"张3");

    dialog_driver::open(window_id::SortDialog);
    pressOkOnBox(script, u"提示：");
    dialog_driver::pressButton(window_id::SortDialog, u"确定");
    settle(script);
    ASSERT_EQ(script.boxTexts().size(), 4u);
    EXPECT_EQ(script.boxTexts()[0], QStringLiteral("将在数据库中改写 1 个字段，改写后不能撤销。是否继续？"));
    EXPECT_EQ(script.boxTexts()[2], QStringLiteral("已替换 1 处。"));
    EXPECT_EQ(script.boxTexts()[3], QStringLiteral("请在查询语句中使用 ORDER BY 排序。"));
    EXPECT_EQ(table.cellText(2, 2), "李四");
    rt::WindowRuntime::instance().destroyWindow(window_id::ReplaceDialog);
    rt::WindowRuntime::instance().destroyWindow(window_id::SortDialog);
    EXPECT_TRUE(script.unanswered().isEmpty()) << script.unanswered().toStdString();
}
