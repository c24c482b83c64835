// Where the file dialogs open: the current table's folder, else the last folder
// chosen, else the home folder; never the program's own folder.
#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>

#include "app/application.h"
#include "app/document/document_commands.h"
#include "app/document/new_table.h"
#include "app/units/data_source_ref.h"
#include "runtime/value/file_name.h"
#include "runtime/value/program_location.h"
#include "tests/app/main_window_start.h"
#include "tests/app/modal_responder.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

QString qtPath(const fs::path& path) { return QString::fromStdString(path.string()); }

// The folder the next file dialog opens in, seen as the template dialog comes up.
QString nextDialogFolder() {
    ModalResponder responder;
    responder.cancelDialog();
    app::saveTemplate();
    return responder.seen().empty() ? QString() : responder.seen().back().folder;
}

class FileDialogFolderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app::initialiseRuntime(); }
    void SetUp() override { ASSERT_TRUE(startMainWindow()); }
    void TearDown() override { closeMainWindow(); }
};

TEST_F(FileDialogFolderTest, TableFolderThenLastFolderThenHome) {
    TempDir lastUsed, tables;
    const fs::path chosenTemplate = lastUsed.path() / "form.mob";
    const fs::path table = tables.path() / "sample.bge";
    ASSERT_TRUE(app::mainDataSource().saveToFile(rt::textFromPath(chosenTemplate)));
    ASSERT_TRUE(app::mainDataSource().saveToFile(rt::textFromPath(table)));

    {
        ModalResponder responder;
        responder.chooseFile(chosenTemplate);
        app::openTemplate();
        ASSERT_TRUE(responder.allAnswered());
    }
    EXPECT_EQ(nextDialogFolder(), qtPath(lastUsed.path())) << "a new table: the folder last chosen";

    ASSERT_TRUE(app::openTableFile(rt::textFromPath(table)));
    EXPECT_EQ(nextDialogFolder(), qtPath(tables.path())) << "an opened table: its own folder";

    app::newTable();
    EXPECT_EQ(nextDialogFolder(), qtPath(lastUsed.path())) << "a new table again";

    fs::remove_all(lastUsed.path());
    const QString fallback = nextDialogFolder();
    EXPECT_EQ(fallback, QDir::homePath()) << "the last folder is gone";
    EXPECT_NE(fallback, QString::fromStdString(rt::programDirectory()));
}

}  // namespace
