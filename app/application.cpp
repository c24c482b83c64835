#include "app/application.h"

#include <QApplication>
#include <QIcon>

#include "app/routines/routine_table.h"
#include "grid/units/grid_units.h"
#include "runtime/error/message_box_presenter.h"
#include "runtime/window/units/standard_units.h"
#include "runtime/window/window_runtime.h"

namespace app {

extern const unsigned char kTemplateSegment[];
extern const std::size_t kTemplateSegmentSize;

std::span<const uint8_t> templateSegment() { return {kTemplateSegment, kTemplateSegmentSize}; }

void initialiseRuntime() {
    rt::installMessageBoxErrorPresenter();
    // A coherent set of small images for the toolbars; the table-specific ones are
    // drawn in the same style.
    QIcon::setThemeName(QStringLiteral("Tango"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("x-office-spreadsheet")));
    rt::registerStandardUnitKinds();
    grid::registerGridUnitKinds();
    rt::WindowRuntime::instance().initialise(templateSegment(), applicationRoutines(), applicationRoutineNames());
}

}  // namespace app
