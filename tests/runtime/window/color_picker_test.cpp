// The colour picker as a user meets it: the face, the palette, the mouse, the keys,
// the colour dialog and what the application sees (property 0 and event 0).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QColorDialog>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <functional>

#include "runtime/value/call.h"
#include "runtime/window/loaded_window.h"
#include "runtime/window/property_values.h"
#include "runtime/window/unit_properties.h"
#include "runtime/window/units/color_button.h"
#include "runtime/window/units/color_picker_properties.h"
#include "runtime/window/units/palette_entries.h"
#include "tests/runtime/window/test_windows.h"
#include "tools/template_compiler/interface_file_parser.h"

namespace {

using rt::Value;

constexpr uint32_t kMain = 0x52010001;
constexpr uint32_t kWithTransparent = 0x16010001;
constexpr uint32_t kWithoutTransparent = 0x16010002;
constexpr uint32_t kOffPalette = 0x16010003;
constexpr int32_t kColorIndex = rt::kFirstOwnProperty + rt::color_picker_property::Color;
constexpr int32_t kTransparentIndex = rt::kFirstOwnProperty + rt::color_picker_property::TransparentAllowed;
constexpr int32_t T = rt::kTransparentEntry;
constexpr int32_t C = rt::kCustomEntry;

constexpr const char8_t* kWindows = u8R"(
window Main 0x52010001 0x06010000
    caption "颜色"
    rect 10 20 300 200
    frame 1
unit ColorPicker "颜色选择器1" 0x16010001
    rect 10 10 52 22
    color 0xFF000000
    transparent 1
    on colorChosen chosen
unit ColorPicker "颜色选择器2" 0x16010002
    rect 10 40 52 22
    color 0xFF000000
    on colorChosen chosen
unit ColorPicker "颜色选择器3" 0x16010003
    rect 10 70 52 22
    color 0x123456
    on colorChosen chosen
)";

// Runs the action on the colour dialog once it is the modal window (it runs its own
// event loop, so the test reaches it from a timer).
void whenColorDialogShown(std::function<void(QColorDialog*)> action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        action(dialog);
    });
    poll->start(1);
}

// Mouse input as the window system delivers it: while the palette is open it gets
// every mouse event, wherever the pointer is.
QPoint inWindow(QWidget* widget, QPoint at) { return widget->mapTo(widget->window(), at); }
void moveMouse(QWidget* widget, QPoint at) { QTest::mouseMove(widget->window()->windowHandle(), inWindow(widget, at)); }
void releaseMouse(QWidget* widget, QPoint at) {
    QTest::mouseRelease(widget->window()->windowHandle(), Qt::LeftButton, {}, inWindow(widget, at));
}
void clickMouse(QWidget* widget, QPoint at) {
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {}, inWindow(widget, at));
}

class ColorPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        useInterfaceText(kWindows);
        ASSERT_TRUE(runtime.loadWindow(kMain));
        routineCalls().clear();
    }
    void TearDown() override { destroyLoadedWindows(); }

    rt::WindowRuntime& runtime = rt::WindowRuntime::instance();

    rt::ColorButton* button(uint32_t unitId) const {
        return qobject_cast<rt::ColorButton*>(runtime.loadedUnit(kMain, unitId)->widget());
    }
    uint32_t colorProperty(uint32_t unitId) {
        Value value = runtime.readProperty(kMain, unitId, kColorIndex);
        return static_cast<uint32_t>(rt::Arguments(1, &value).integer(0));
    }
    int chosenEvents() const {
        int count = 0;
        for (const RoutineCall& call : routineCalls()) count += call.name == "chosen";
        return count;
    }
    rt::ColorPalette* open(uint32_t unitId) {
        clickMouse(button(unitId), QPoint(10, 10));
        rt::ColorPalette* palette = button(unitId)->openPalette();
        EXPECT_NE(palette, nullptr);
        EXPECT_TRUE(palette && palette->isVisible());
        return palette;
    }
    static QColor pixel(QWidget* widget, QPoint at) { return widget->grab().toImage().pixelColor(at); }
};

TEST_F(ColorPickerTest, PropertiesReadBackAsStored) {
    EXPECT_EQ(colorProperty(kWithTransparent), rt::kTransparentColor);
    EXPECT_EQ(colorProperty(kWithoutTransparent), rt::kTransparentColor);  // shown black, kept as stored
    EXPECT_EQ(colorProperty(kOffPalette), 0x123456u);
    EXPECT_EQ(rt::integerOfValue(runtime.readProperty(kMain, kWithTransparent, kTransparentIndex)), 1);

    runtime.writeProperty(kMain, kOffPalette, kColorIndex, Value::integer(0x00FF00));
    EXPECT_EQ(colorProperty(kOffPalette), 0x00FF00u);
    runtime.writeProperty(kMain, kOffPalette, kTransparentIndex, Value::integer(2));
    EXPECT_EQ(rt::integerOfValue(runtime.readProperty(kMain, kOffPalette, kTransparentIndex)), 2);
    EXPECT_FALSE(button(kOffPalette)->isTransparentAllowed());
    runtime.writeProperty(kMain, kOffPalette, kTransparentIndex, Value::integer(1));
    EXPECT_TRUE(button(kOffPalette)->isTransparentAllowed());
    EXPECT_TRUE(routineCalls().empty());  // writing is no choice
}

TEST_F(ColorPickerTest, FaceShowsTheColourTransparentTextOrBlack) {
    rt::ColorButton* transparent = button(kWithTransparent);
    const QRect swatch = transparent->colorRect();
    ASSERT_TRUE(swatch.isValid());
    EXPECT_LE(swatch.right(), transparent->arrowRect().left());
    // "透明" on white: dark text pixels in the middle, white in the corner.
    const QImage face = transparent->grab().toImage();
    EXPECT_EQ(face.pixelColor(swatch.topLeft() + QPoint(1, 1)), QColor(Qt::white));
    EXPECT_EQ(face.pixelColor(swatch.topLeft()), QColor(Qt::black));  // the frame
    int darkPixels = 0;
    for (int x = swatch.left() + 1; x < swatch.right(); ++x) {
        for (int y = swatch.top() + 1; y < swatch.bottom(); ++y) darkPixels += face.pixelColor(x, y).lightness() < 128;
    }
    EXPECT_GT(darkPixels, 10);

    EXPECT_EQ(pixel(button(kWithoutTransparent), swatch.center()), QColor(Qt::black));
    EXPECT_EQ(pixel(button(kOffPalette), swatch.center()), QColor(0x56, 0x34, 0x12));
    runtime.writeProperty(kMain, kOffPalette, kColorIndex, Value::integer(0x0000FF));
    EXPECT_EQ(pixel(button(kOffPalette), swatch.center()), QColor(Qt::red));
    // Allowing no colour later turns the black face into the text.
    runtime.writeProperty(kMain, kWithoutTransparent, kTransparentIndex, Value::integer(1));
    EXPECT_EQ(pixel(button(kWithoutTransparent), swatch.topLeft() + QPoint(1, 1)), QColor(Qt::white));
}

TEST_F(ColorPickerTest, FocusRectangleAndDisabledLook) {
    rt::ColorButton* face = button(kOffPalette);
    runtime.loadedWindow(kMain)->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(runtime.loadedWindow(kMain)));
    const QRect ring = face->colorRect().adjusted(-2, -2, 2, 2);
    const auto darkOnRing = [&] {
        const QImage image = face->grab().toImage();
        int dark = 0;
        for (int x = ring.left(); x <= ring.right(); ++x) dark += image.pixelColor(x, ring.top()).lightness() < 128;
        return dark;
    };
    button(kWithTransparent)->setFocus();
    EXPECT_EQ(darkOnRing(), 0);
    face->setFocus();
    ASSERT_TRUE(face->hasFocus());
    EXPECT_GT(darkOnRing(), ring.width() / 3);

    const QPoint besideSwatch(face->colorRect().left() - 1, face->height() / 2);
    EXPECT_EQ(pixel(face, besideSwatch), QColor(Qt::white));
    face->setEnabled(false);
    EXPECT_EQ(pixel(face, besideSwatch), face->palette().color(QPalette::Button));
    EXPECT_EQ(pixel(face, face->colorRect().center()), QColor(0x56, 0x34, 0x12));
}

TEST_F(ColorPickerTest, PaletteOpensBelowTheButtonWithItsEntries) {
    const struct {
        uint32_t unitId;
        bool transparentShown;
        int32_t marked;
    } cases[] = {{kWithTransparent, true, T}, {kWithoutTransparent, false, 0}, {kOffPalette, false, C}};
    for (const auto& c : cases) {
        rt::ColorPalette* palette = open(c.unitId);
        ASSERT_NE(palette, nullptr);
        EXPECT_EQ(palette->pos(), button(c.unitId)->mapToGlobal(QPoint(0, 22)));
        EXPECT_EQ(palette->size(), palette->layout().size());
        EXPECT_EQ(palette->layout().transparentRect().isEmpty(), !c.transparentShown);
        EXPECT_EQ(palette->markedEntry(), c.marked);
        EXPECT_EQ(palette->highlightedEntry(), rt::kNoEntry);
        palette->close();
    }
}

TEST_F(ColorPickerTest, SwatchesShowTheirColoursAndNames) {
    rt::ColorPalette* palette = open(kOffPalette);
    ASSERT_NE(palette, nullptr);
    const QImage image = palette->grab().toImage();
    for (int32_t swatch = 0; swatch < rt::kSwatchCount; ++swatch) {
        const QPoint at = palette->layout().swatchRect(swatch).center();
        EXPECT_EQ(image.pixelColor(at), rt::qColorOf(rt::paletteColors()[swatch].color)) << swatch;
        QHelpEvent help(QEvent::ToolTip, at, palette->mapToGlobal(at));
        QApplication::sendEvent(palette, &help);
        EXPECT_EQ(QToolTip::text(), rt::fromGbk(rt::paletteColors()[swatch].name));
    }
    EXPECT_EQ(QToolTip::text(), QStringLiteral("深灰"));
    palette->close();
}

TEST_F(ColorPickerTest, MarkedAndHighlightedEntriesAreDrawn) {
    rt::ColorPalette* palette = open(kWithoutTransparent);  // marks swatch 0
    ASSERT_NE(palette, nullptr);
    const QPoint corner(1, 1);
    const QRect marked = palette->layout().swatchRect(0);
    const QRect plain = palette->layout().swatchRect(1);
    QImage image = palette->grab().toImage();
    EXPECT_NE(image.pixelColor(marked.topLeft() + corner), image.pixelColor(plain.topLeft() + corner));

    moveMouse(palette, plain.center());
    EXPECT_EQ(palette->highlightedEntry(), 1);
    image = palette->grab().toImage();
    EXPECT_EQ(image.pixelColor(plain.topLeft() + corner), palette->palette().color(QPalette::Highlight));
    EXPECT_EQ(button(kWithoutTransparent)->color(), rt::kTransparentColor);  // hovering changes nothing
    moveMouse(palette, QPoint(0, plain.center().y()));
    EXPECT_EQ(palette->highlightedEntry(), rt::kNoEntry);
    palette->close();
}

TEST_F(ColorPickerTest, ReleasingOnAnEntryChoosesItEvenTheSameColour) {
    const struct {
        int32_t entry;
        uint32_t expected;
    } cases[] = {{12, 0x0000FF}, {12, 0x0000FF}, {T, rt::kTransparentColor}, {17, 0xE03058}};
    for (const auto& c : cases) {
        QPointer<rt::ColorPalette> palette = open(kWithTransparent);  // gone once closed
        ASSERT_NE(palette, nullptr);
        routineCalls().clear();
        const QPoint at = palette->layout().entryRect(c.entry).center();
        moveMouse(palette, at);
        releaseMouse(palette, at);
        EXPECT_TRUE(!palette || !palette->isVisible());
        EXPECT_EQ(colorProperty(kWithTransparent), c.expected);
        ASSERT_EQ(chosenEvents(), 1);
        EXPECT_EQ(routineCalls()[0].source.unitId, kWithTransparent);
        EXPECT_EQ(button(kWithTransparent)->openPalette(), nullptr);
    }
    // A release on a margin picks nothing and leaves the palette open.
    rt::ColorPalette* palette = open(kOffPalette);
    ASSERT_NE(palette, nullptr);
    routineCalls().clear();
    releaseMouse(palette, QPoint(0, palette->layout().swatchRect(0).center().y()));
    EXPECT_TRUE(palette->isVisible());
    EXPECT_EQ(chosenEvents(), 0);
    palette->close();
}

TEST_F(ColorPickerTest, CancelPathsLeaveTheColourAndRaiseNothing) {
    const std::function<void(rt::ColorPalette*)> cancels[] = {
        [](rt::ColorPalette* palette) { QTest::keyClick(palette, Qt::Key_Escape); },
        [](rt::ColorPalette* palette) {
            QTest::keyClick(palette, Qt::Key_Right);  // a highlight is no choice
            QTest::keyClick(palette, Qt::Key_Escape);
        },
        [](rt::ColorPalette* palette) {
            const QPoint outside(palette->width() + 20, palette->height() + 20);
            moveMouse(palette, palette->layout().swatchRect(3).center());
            releaseMouse(palette, outside);
        },
        [this](rt::ColorPalette*) {
            clickMouse(runtime.loadedWindow(kMain), QPoint(200, 150));
        },
    };
    for (const auto& cancel : cancels) {
        SCOPED_TRACE(&cancel - cancels);
        rt::ColorPalette* palette = open(kOffPalette);
        ASSERT_NE(palette, nullptr);
        cancel(palette);
        QApplication::processEvents();
        EXPECT_EQ(button(kOffPalette)->openPalette(), nullptr);
        EXPECT_EQ(colorProperty(kOffPalette), 0x123456u);
        EXPECT_EQ(chosenEvents(), 0);
    }
}

TEST_F(ColorPickerTest, ClickingTheButtonAgainOnlyClosesThePalette) {
    rt::ColorPalette* palette = open(kOffPalette);
    ASSERT_NE(palette, nullptr);
    clickMouse(button(kOffPalette), QPoint(10, 10));
    QApplication::processEvents();
    EXPECT_EQ(button(kOffPalette)->openPalette(), nullptr);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(chosenEvents(), 0);
    EXPECT_FALSE(button(kOffPalette)->isDown());
}

// Each walk starts on a freshly opened palette; the last key accepts.
TEST_F(ColorPickerTest, KeyboardWalkAndAccept) {
    const struct {
        uint32_t unitId;
        std::vector<Qt::Key> keys;
        int32_t highlightedBeforeAccept;
        uint32_t expected;
    } cases[] = {
        // The walk starts from the marked entry: "透明", then swatch 0.
        {kWithTransparent, {Qt::Key_Right, Qt::Key_Return}, 0, 0x000000},
        {kWithTransparent, {Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Space}, 8, 0x808080},
        {kWithTransparent, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Enter}, 31, 0x606060},
        {kWithTransparent, {Qt::Key_Up, Qt::Key_Down, Qt::Key_Return}, T, rt::kTransparentColor},
        // Marked black (swatch 0): Left leaves for "其它颜色...", Up too.
        {kWithoutTransparent, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Return}, 31, 0x606060},
        {kWithoutTransparent, {Qt::Key_Up, Qt::Key_Right, Qt::Key_Return}, 0, 0x000000},
        {kWithoutTransparent, {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}, 22, 0x00D8D8},
    };
    for (const auto& c : cases) {
        runtime.writeProperty(kMain, c.unitId, kColorIndex, Value::integer(static_cast<int32_t>(rt::kTransparentColor)));
        rt::ColorPalette* palette = open(c.unitId);
        ASSERT_NE(palette, nullptr);
        routineCalls().clear();
        for (size_t i = 0; i + 1 < c.keys.size(); ++i) QTest::keyClick(palette, c.keys[i]);
        EXPECT_EQ(palette->highlightedEntry(), c.highlightedBeforeAccept);
        QTest::keyClick(palette, c.keys.back());
        EXPECT_EQ(colorProperty(c.unitId), c.expected);
        EXPECT_EQ(chosenEvents(), 1);
    }
}

// A screen reader finds the palette as a list of named entries in the order shown,
// and an entry's Press action chooses it as a click does.
TEST_F(ColorPickerTest, AScreenReaderReadsTheEntriesAndChoosesOne) {
    QPointer<rt::ColorPalette> palette = open(kWithTransparent);
    ASSERT_NE(palette, nullptr);
    routineCalls().clear();
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(palette.data());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    ASSERT_EQ(list->childCount(), rt::kSwatchCount + 2);
    EXPECT_EQ(list->child(0)->text(QAccessible::Name), rt::transparentEntryText());
    EXPECT_EQ(list->child(rt::kSwatchCount + 1)->text(QAccessible::Name), rt::customEntryText());
    QAccessibleInterface* red = list->child(1 + 12);
    EXPECT_EQ(red->text(QAccessible::Name), QStringLiteral(u"红色"));
    EXPECT_EQ(list->indexOfChild(red), 13);
    EXPECT_EQ(red->rect().center(), palette->mapToGlobal(palette->layout().entryRect(12).center()));
    QTest::keyClick(palette, Qt::Key_Right);
    EXPECT_EQ(list->focusChild(), list->child(1)) << "the highlight is the focused entry";
    red->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(!palette || !palette->isVisible());
    EXPECT_EQ(colorProperty(kWithTransparent), 0x0000FFu);
    EXPECT_EQ(chosenEvents(), 1);
}

TEST_F(ColorPickerTest, SpaceOnTheFocusedButtonOpensThePalette) {
    button(kWithTransparent)->setFocus();
    QTest::keyClick(button(kWithTransparent), Qt::Key_Space);
    ASSERT_NE(button(kWithTransparent)->openPalette(), nullptr);
    EXPECT_TRUE(button(kWithTransparent)->openPalette()->isVisible());
    QTest::keyClick(button(kWithTransparent)->openPalette(), Qt::Key_Escape);
}

// "其它颜色..." opens the colour dialog on the colour the palette opened with: OK
// takes the dialog's colour, Cancel cancels the palette.
TEST_F(ColorPickerTest, CustomEntryGoesThroughTheColourDialog) {
    const struct {
        uint32_t unitId;
        bool byEnter;  // Enter at once takes the marked entry, else a click on it
        bool accept;
        QColor initial;
        uint32_t expected;
        int events;
    } cases[] = {
        {kOffPalette, true, true, QColor(0x56, 0x34, 0x12), 0x332211, 1},
        {kOffPalette, true, false, QColor(0x11, 0x22, 0x33), 0x332211, 0},
        {kWithTransparent, false, false, QColor(Qt::white), rt::kTransparentColor, 0},  // no colour starts on white
        {kWithTransparent, false, true, QColor(Qt::white), 0x332211, 1},
    };
    for (const auto& c : cases) {
        QColor initial;
        whenColorDialogShown([&](QColorDialog* dialog) {
            initial = dialog->currentColor();
            dialog->setCurrentColor(QColor(0x11, 0x22, 0x33));
            c.accept ? dialog->accept() : dialog->reject();
        });
        rt::ColorPalette* palette = open(c.unitId);
        ASSERT_NE(palette, nullptr);
        routineCalls().clear();
        const QPoint at = palette->layout().customRect().center();
        if (c.byEnter) {
            QTest::keyClick(palette, Qt::Key_Return);
        } else {
            moveMouse(palette, at);
            releaseMouse(palette, at);
        }
        QApplication::processEvents();
        EXPECT_EQ(initial, c.initial);
        EXPECT_EQ(colorProperty(c.unitId), c.expected);
        EXPECT_EQ(chosenEvents(), c.events);
        EXPECT_EQ(button(c.unitId)->openPalette(), nullptr);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
}

TEST_F(ColorPickerTest, PaletteNearTheScreenEdgeMovesOntoIt) {
    const QRect screen = button(kOffPalette)->screen()->availableGeometry();
    rt::LoadedWindow* window = runtime.loadedWindow(kMain);
    window->move(screen.right() - 40, screen.bottom() - 120);
    QApplication::processEvents();
    rt::ColorPalette* palette = open(kOffPalette);
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(screen.contains(palette->geometry())) << palette->geometry().x() << "," << palette->geometry().y();
    EXPECT_EQ(palette->geometry().right(), screen.right());
    EXPECT_EQ(palette->geometry().bottom(), screen.bottom());
    palette->close();
}

// A colour-picker block of a later version, or a cut one, starts the picker black
// without the transparent entry.
TEST(ColorPickerBlockTest, UnreadableBlockStartsBlackWithoutTransparent) {
    for (const std::string& block : {std::string("\x02\0\0\0\0\0\0\xFF\x01\0\0\0", 12), std::string("\x01\0", 2)}) {
        uic::InterfaceFileParser parser;
        ASSERT_TRUE(parser.parse("test.ui.txt", std::string_view(reinterpret_cast<const char*>(kWindows),
                                                                 std::char_traits<char8_t>::length(kWindows))));
        std::vector<rt::WindowTemplate> windows = parser.windows();
        for (rt::UnitTemplate& unit : windows[0].units) {
            if (unit.id == kWithTransparent) unit.kindProperties = block;
        }
        std::vector<uint8_t> segment = rt::writeTemplateSegment({windows});
        const std::vector<const char*> names{"chosen"};
        const std::vector<rt::ApplicationRoutine> routines{[](const rt::EventArguments&) { return rt::HandlerResult{}; }};
        rt::WindowRuntime::instance().initialise(segment, routines, names);
        ASSERT_TRUE(rt::WindowRuntime::instance().loadWindow(kMain));
        Value color = rt::WindowRuntime::instance().readProperty(kMain, kWithTransparent, kColorIndex);
        Value allowed = rt::WindowRuntime::instance().readProperty(kMain, kWithTransparent, kTransparentIndex);
        EXPECT_EQ(rt::integerOfValue(color), 0);
        EXPECT_EQ(rt::integerOfValue(allowed), 0);
        destroyLoadedWindows();
    }
}

}  // namespace
