#include "app/application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include "app/routines/routine_table.h"
#include "app/units/print_ref.h"
#include "grid/units/grid_units.h"
#include "grid/view/font_substitutions.h"
#include "grid/view/grid_accessibility.h"
#include "runtime/error/message_box_presenter.h"
#include "runtime/platform/qt_translations.h"
#include "runtime/window/units/standard_units.h"
#include "runtime/window/window_runtime.h"

namespace app {

extern const unsigned char kTemplateSegment[];
extern const std::size_t kTemplateSegmentSize;

std::span<const uint8_t> templateSegment() { return {kTemplateSegment, kTemplateSegmentSize}; }

void initialiseRuntime() {
    rt::installMessageBoxErrorPresenter();
    rt::installChineseQtTranslations();
    // The windows are laid out for "宋体" at 12 pixels: labels leave blank runs where
    // edit boxes sit, so another face or size would shift the texts against them.
    grid::installFontSubstitutions();
    QFont interfaceFont(QStringLiteral("宋体"));
    interfaceFont.setPixelSize(12);
    QApplication::setFont(interfaceFont);
    // A coherent set of small images for the toolbars; the table-specific ones are
    // drawn in the same style.
    QIcon::setThemeName(QStringLiteral("Tango"));
    // The installed program's own icon, as its menu entry shows it; run from a build
    // folder, the theme's spreadsheet.
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.biaoge.Biaoge"),
                                                 QIcon::fromTheme(QStringLiteral("x-office-spreadsheet"))));
    rt::registerStandardUnitKinds();
    grid::registerGridUnitKinds();
    grid::installGridAccessibility();
    rt::WindowRuntime::instance().initialise(templateSegment(), applicationRoutines(), applicationRoutineNames());
    watchPageSettingsChanges();
}

}  // namespace app
