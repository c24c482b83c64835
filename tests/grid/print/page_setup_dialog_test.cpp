// The page setup dialog, driven through its controls from inside its modal loop.
#include <gtest/gtest.h>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <tuple>

#include "grid/print/page_setup_dialog.h"
#include "runtime/platform/gbk_codec.h"

// Failure messages show texts as text rather than as bytes.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using grid::PageSettings;

auto fieldsOf(const PageSettings& s) {
    return std::tuple(s.marginLeft, s.marginTop, s.marginRight, s.marginBottom, s.pageNumberPosition, s.copies,
                      s.firstPageNumber, s.printToFile, s.printFileName, s.repeatLastRow, s.addTableLines,
                      s.oddEvenMode, s.printRange, s.startPage, s.endPage, s.printerName, s.deviceMode, s.paperSize,
                      s.orientation, s.rowsPerPage, s.scale);
}

// Runs action on the modal dialog of type Dialog once it shows. When none shows
// within five seconds the test fails and every open dialog is rejected, so a missing
// dialog cannot hang the run.
template <typename Dialog>
void whenShown(std::function<void(Dialog&)> action) {
    auto* poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, [poll, clock, action] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        const bool shown = dialog && dialog->isVisible();
        if (!shown && clock->elapsed() < 5000) return;
        poll->stop();
        poll->deleteLater();
        if (shown) {
            action(*dialog);
            return;
        }
        ADD_FAILURE() << "no " << Dialog::staticMetaObject.className() << " showed";
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (auto* open = qobject_cast<QDialog*>(window); open && open->isVisible()) open->reject();
        }
    });
    poll->start(5);
}

template <typename Widget = QWidget>
Widget* control(QDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Clears an edit and types text into it key by key, as a user does; the edit refuses
// the keys it does not accept.
void type(QDialog& dialog, const char* name, const QString& text) {
    QWidget* edit = control(dialog, name);
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit)) spin->selectAll();
    if (auto* line = qobject_cast<QLineEdit*>(edit)) line->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    // keyClicks() knows only ASCII; a key event carrying its text types any character.
    for (QChar character : text) QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(character), {});
}

QString textOf(QDialog& dialog, const char* name) { return control<QAbstractSpinBox>(dialog, name)->text(); }

void click(QDialog& dialog, const char* name) { control<QAbstractButton>(dialog, name)->click(); }

enum class Answer { Confirm, Cancel, Escape };

// Opens the page setup on settings, lets work use its controls, then answers it.
bool runPageSetupWith(PageSettings& settings, std::function<void(QDialog&)> work, Answer answer = Answer::Confirm) {
    whenShown<QDialog>([work, answer](QDialog& dialog) {
        work(dialog);
        if (answer == Answer::Escape) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
        } else {
            click(dialog, answer == Answer::Confirm ? "confirm" : "cancel");
        }
    });
    return grid::runPageSetup(nullptr, settings);
}

TEST(PageSetupDialogTest, EveryFieldRoundTripsThroughItsControl) {
    PageSettings settings;
    settings.printerName = "office-laser";
    PageSettings expected = settings;
    expected.printToFile = 1;
    expected.printFileName = "/tmp/月报.pdf";
    std::tie(expected.marginTop, expected.marginBottom, expected.marginLeft, expected.marginRight) =
        std::tuple(123, 0, 5, 400);
    expected.scale = 150;
    std::tie(expected.oddEvenMode, expected.printRange, expected.startPage, expected.endPage) = std::tuple(2, 2, 3, 9);
    std::tie(expected.copies, expected.firstPageNumber, expected.rowsPerPage) = std::tuple(2, 7, 40);
    expected.pageNumberPosition = 5;
    expected.repeatLastRow = expected.addTableLines = 1;
    QString title;
    EXPECT_TRUE(runPageSetupWith(settings, [&](QDialog& dialog) {
        title = dialog.windowTitle();
        click(dialog, "printToFile");
        type(dialog, "printFileName", QStringLiteral("/tmp/月报.pdf"));
        type(dialog, "marginTop", QStringLiteral("12.35"));
        type(dialog, "marginBottom", QStringLiteral("-3"));
        type(dialog, "marginLeft", QStringLiteral("0.5"));
        type(dialog, "marginRight", QStringLiteral("40"));
        type(dialog, "scale", QStringLiteral("150"));
        control<QComboBox>(dialog, "oddEvenMode")->setCurrentIndex(2);
        click(dialog, "rowRange");
        type(dialog, "start", QStringLiteral("3"));
        click(dialog, "toEnd");
        type(dialog, "end", QStringLiteral("9"));
        type(dialog, "copies", QStringLiteral("2"));
        control<QComboBox>(dialog, "pageNumberPosition")->setCurrentIndex(5);
        type(dialog, "firstPageNumber", QStringLiteral("7"));
        click(dialog, "repeatLastRow");
        click(dialog, "addTableLines");
        type(dialog, "rowsPerPage", QStringLiteral("40"));
    }));
    EXPECT_EQ(title, QStringLiteral("打印设置"));
    EXPECT_EQ(fieldsOf(settings), fieldsOf(expected));
}

TEST(PageSetupDialogTest, CancelOrEscapeLeavesTheSettingsUntouched) {
    for (Answer answer : {Answer::Cancel, Answer::Escape}) {
        PageSettings settings;
        settings.startPage = 4;
        const PageSettings original = settings;
        EXPECT_FALSE(runPageSetupWith(
            settings,
            [](QDialog& dialog) {
                click(dialog, "printToFile");
                type(dialog, "marginLeft", QStringLiteral("5"));
                click(dialog, "fitToWidth");
                click(dialog, "pageRange");
                type(dialog, "copies", QStringLiteral("3"));
            },
            answer));
        EXPECT_EQ(fieldsOf(settings), fieldsOf(original));
    }
}

TEST(PageSetupDialogTest, MarginsShowInMillimetresAndReadBackInTenths) {
    PageSettings settings;
    settings.marginLeft = 5;
    settings.marginTop = 123;
    settings.marginRight = 70;
    settings.marginBottom = 120;
    runPageSetupWith(settings, [](QDialog& dialog) {
        EXPECT_EQ(textOf(dialog, "marginTop"), QStringLiteral("12.3"));
        EXPECT_EQ(textOf(dialog, "marginBottom"), QStringLiteral("12"));
        EXPECT_EQ(textOf(dialog, "marginLeft"), QStringLiteral("0.5"));
        type(dialog, "marginTop", QStringLiteral("12.35"));
        type(dialog, "marginBottom", QStringLiteral("-3"));
        type(dialog, "marginLeft", QStringLiteral("1a.5x"));
        type(dialog, "marginRight", QStringLiteral("8."));
        EXPECT_EQ(textOf(dialog, "marginLeft"), QStringLiteral("1.5")) << "letters are refused";
    });
    EXPECT_EQ(std::tuple(settings.marginTop, settings.marginBottom, settings.marginLeft, settings.marginRight),
              std::tuple(123, 0, 15, 80));
}

TEST(PageSetupDialogTest, SpinStepsByOneWithinTheBounds) {
    struct Case {
        const char* edit;
        const char* typed;
        Qt::Key key;
        const char* expected;
    } cases[] = {
        {"scale", "150", Qt::Key_Up, "151"},         {"scale", "1000", Qt::Key_Up, "1000"},
        {"scale", "20", Qt::Key_Down, "20"},         {"scale", "5000", Qt::Key_Down, "1000"},
        {"copies", "1", Qt::Key_Down, "1"},          {"copies", "0", Qt::Key_Up, "1"},
        {"start", "1", Qt::Key_Down, "1"},           {"end", "1", Qt::Key_Down, "1"},
        {"rowsPerPage", "0", Qt::Key_Down, "0"},     {"rowsPerPage", "-4", Qt::Key_Up, "0"},
        {"marginTop", "12.3", Qt::Key_Up, "13.3"},   {"marginTop", "0.5", Qt::Key_Down, "0"},
        {"firstPageNumber", "1", Qt::Key_Down, "1"}, {"copies", "2147483647", Qt::Key_Up, "2147483647"},
    };
    PageSettings settings;
    settings.printRange = 1;
    settings.endPage = 5;
    runPageSetupWith(
        settings,
        [&](QDialog& dialog) {
            for (const Case& c : cases) {
                type(dialog, c.edit, QString::fromLatin1(c.typed));
                QTest::keyClick(control(dialog, c.edit), c.key);
                EXPECT_EQ(textOf(dialog, c.edit), QString::fromLatin1(c.expected)) << c.edit << " from " << c.typed;
            }
        },
        Answer::Cancel);
}

TEST(PageSetupDialogTest, TypedValuesAreTakenAsTyped) {
    struct Case {
        const char* edit;
        const char* typed;
        int32_t PageSettings::*field;
        int32_t expected;
    } cases[] = {
        {"copies", "0", &PageSettings::copies, 0},
        {"copies", "", &PageSettings::copies, 0},
        {"copies", "9999999999", &PageSettings::copies, 2147483647},
        {"firstPageNumber", "-5", &PageSettings::firstPageNumber, -5},
        {"start", "0", &PageSettings::startPage, 0},
        {"end", "0", &PageSettings::endPage, 1},
        {"rowsPerPage", "-4", &PageSettings::rowsPerPage, 0},
    };
    for (const Case& c : cases) {
        PageSettings settings;
        settings.printRange = 1;
        settings.endPage = 5;
        const auto typeIt = [&](QDialog& dialog) { type(dialog, c.edit, QString::fromLatin1(c.typed)); };
        EXPECT_TRUE(runPageSetupWith(settings, typeIt));
        EXPECT_EQ(settings.*c.field, c.expected) << c.edit << " typed " << c.typed;
    }
}

TEST(PageSetupDialogTest, ScaleModes) {
    struct Case {
        int16_t stored;
        const char* mode;
        const char* typed;
        const char* shown;
        int16_t expected;
    } cases[] = {
        {-1, "fitToWidth", nullptr, "100", -1},   {-2, "shrinkToWidth", nullptr, "100", -2},
        {-7, "shrinkToWidth", nullptr, "100", -2}, {150, "customScale", nullptr, "150", 150},
        {0, "customScale", nullptr, "100", 100},   {100, "customScale", "5", "5", 5},
        {100, "customScale", "-4", "-4", 0},
    };
    for (const Case& c : cases) {
        PageSettings settings;
        settings.scale = c.stored;
        runPageSetupWith(settings, [&](QDialog& dialog) {
            EXPECT_TRUE(control<QAbstractButton>(dialog, c.mode)->isChecked()) << c.stored;
            if (c.typed) type(dialog, "scale", QString::fromLatin1(c.typed));
            EXPECT_EQ(textOf(dialog, "scale"), QString::fromLatin1(c.shown)) << c.stored;
        });
        EXPECT_EQ(settings.scale, c.expected) << c.stored;
    }
}

TEST(PageSetupDialogTest, ControlsFollowTheChosenModes) {
    struct Step {
        const char* click;
        bool fileEnabled, scaleEnabled, startEnabled, endEnabled;
        const char16_t* startLabel;
        const char16_t* endLabel;
    } steps[] = {
        {nullptr, false, true, false, false, u"起始页号:", u"结束页号:"},
        {"printToFile", true, true, false, false, u"起始页号:", u"结束页号:"},
        {"fitToWidth", true, false, false, false, u"起始页号:", u"结束页号:"},
        {"pageRange", true, false, true, false, u"起始页号:", u"结束页号:"},
        {"toEnd", true, false, true, true, u"起始页号:", u"结束页号:"},
        {"rowRange", true, false, true, true, u"起始行号:", u"结束行号:"},
        {"customScale", true, true, true, true, u"起始行号:", u"结束行号:"},
        {"toEnd", true, true, true, false, u"起始行号:", u"结束行号:"},
        {"allPages", true, true, false, false, u"起始页号:", u"结束页号:"},
        {"printToFile", false, true, false, false, u"起始页号:", u"结束页号:"},
    };
    PageSettings settings;
    runPageSetupWith(
        settings,
        [&](QDialog& dialog) {
            for (const Step& step : steps) {
                if (step.click) click(dialog, step.click);
                const char* after = step.click ? step.click : "opening";
                EXPECT_EQ(control(dialog, "printFileName")->isEnabled(), step.fileEnabled) << after;
                EXPECT_EQ(control(dialog, "browseFile")->isEnabled(), step.fileEnabled) << after;
                EXPECT_EQ(control(dialog, "scale")->isEnabled(), step.scaleEnabled) << after;
                EXPECT_EQ(control(dialog, "start")->isEnabled(), step.startEnabled) << after;
                EXPECT_EQ(control(dialog, "end")->isEnabled(), step.endEnabled) << after;
                EXPECT_EQ(control<QLabel>(dialog, "startLabel")->text(), QString::fromUtf16(step.startLabel)) << after;
                EXPECT_EQ(control<QLabel>(dialog, "endLabel")->text(), QString::fromUtf16(step.endLabel)) << after;
            }
        },
        Answer::Cancel);
}

TEST(PageSetupDialogTest, ToEndStoresZeroAndUntickingItOffersTheStart) {
    PageSettings settings;
    settings.printRange = 1;
    settings.startPage = 4;
    QString offered;
    EXPECT_TRUE(runPageSetupWith(settings, [&](QDialog& dialog) {
        click(dialog, "toEnd");
        offered = textOf(dialog, "end");
    }));
    EXPECT_EQ(offered, QStringLiteral("4"));
    EXPECT_EQ(settings.endPage, 4);
    EXPECT_TRUE(runPageSetupWith(settings, [](QDialog& dialog) { click(dialog, "toEnd"); }));
    EXPECT_EQ(settings.endPage, 0);
}

TEST(PageSetupDialogTest, TabOrderFollowsTheForm) {
    const std::vector<std::string> expected = {
        "printer",  "printerSetup", "printToFile",   "printFileName", "browseFile",  "marginTop",
        "marginBottom", "marginLeft", "marginRight", "fitToWidth", "shrinkToWidth", "customScale",
        "scale",    "oddEvenMode",  "allPages",      "pageRange",     "rowRange",    "start",
        "end",      "toEnd",        "copies",        "pageNumberPosition", "firstPageNumber",
        "repeatLastRow", "addTableLines", "rowsPerPage", "confirm", "cancel"};
    std::vector<std::string> order;
    PageSettings settings;
    runPageSetupWith(
        settings,
        [&](QDialog& dialog) {
            QWidget* widget = control(dialog, "printer");
            for (int hop = 0; hop < 200 && order.size() < expected.size(); ++hop, widget = widget->nextInFocusChain()) {
                const std::string name = widget->objectName().toStdString();
                if (std::find(expected.begin(), expected.end(), name) != expected.end()) order.push_back(name);
            }
        },
        Answer::Cancel);
    EXPECT_EQ(order, expected);
}

TEST(PageSetupDialogTest, PrinterSetupWithoutAPrinterShowsAStopBoxAndStaysOpen) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "needs a machine without printers";
    PageSettings settings;
    settings.printerName = "office-laser";
    settings.paperSize = 8;
    const PageSettings original = settings;
    QString boxText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool boxOwnedByDialog = false;
    bool dialogStayedOpen = false;
    int printersListed = -1;
    EXPECT_TRUE(runPageSetupWith(settings, [&](QDialog& dialog) {
        printersListed = control<QComboBox>(dialog, "printer")->count();
        whenShown<QMessageBox>([&](QMessageBox& box) {
            boxText = box.text();
            icon = box.icon();
            boxOwnedByDialog = box.parentWidget() == &dialog;
            box.buttons().front()->click();
        });
        click(dialog, "printerSetup");
        dialogStayedOpen = dialog.isVisible() && QApplication::activeModalWidget() == &dialog;
    }));
    EXPECT_EQ(boxText, QStringLiteral("不能打开打印机设备."));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_TRUE(boxOwnedByDialog);
    EXPECT_TRUE(dialogStayedOpen);
    EXPECT_EQ(printersListed, 0);
    EXPECT_EQ(fieldsOf(settings), fieldsOf(original)) << "the printer name and the paper are kept";
}

TEST(PageSetupDialogTest, BrowseOffersAPdfNameAndFillsTheEdit) {
    QTemporaryDir folder;
    const QString chosen = folder.filePath(QStringLiteral("报表"));
    PageSettings settings;
    settings.printToFile = 1;
    QString title, offered, offeredAgain;
    QStringList filters;
    EXPECT_TRUE(runPageSetupWith(settings, [&](QDialog& dialog) {
        whenShown<QFileDialog>([&](QFileDialog& files) {
            title = files.windowTitle();
            offered = QFileInfo(files.selectedFiles().value(0)).fileName();
            filters = files.nameFilters();
            files.selectFile(chosen);
            static_cast<QDialog&>(files).accept();  // QFileDialog hides its accept()
        });
        click(dialog, "browseFile");
        whenShown<QFileDialog>([&](QFileDialog& files) {
            offeredAgain = QFileInfo(files.selectedFiles().value(0)).fileName();
            files.reject();
        });
        click(dialog, "browseFile");
    }));
    EXPECT_EQ(title, QStringLiteral("请选择欲打印到文件名:"));
    EXPECT_EQ(offered, QStringLiteral("out.pdf"));
    EXPECT_EQ(offeredAgain, QStringLiteral("报表.pdf")) << "the name already chosen is offered again";
    EXPECT_TRUE(filters.value(0).contains(QStringLiteral("*.pdf"))) << filters.value(0).toStdString();
    EXPECT_EQ(settings.printFileName, rt::toGbk(chosen + QStringLiteral(".pdf")));
}

}  // namespace
