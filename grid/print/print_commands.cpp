#include "grid/print/print_commands.h"

#include <QApplication>
#include <array>

#include "grid/format/page_settings_block.h"
#include "grid/model/command_arguments.h"
#include "grid/print/page_setup_dialog.h"
#include "grid/print/print_preview.h"
#include "grid/print/print_progress.h"
#include "grid/view/grid_widget.h"
#include "runtime/platform/gbk_codec.h"
#include "runtime/value/unit_registry.h"

namespace grid {
namespace {

using rt::Value;

std::function<void()>& pageSettingsObserver() {
    static std::function<void()> observer;
    return observer;
}

// The settings as the table file stores them: what a change must be saved for.
std::vector<uint8_t> storedPart(const PageSettings& settings) {
    MemorySink sink;
    writePageSettingsBlock(sink, settings);
    return std::move(sink.bytes());
}

GridWidget& gridArgument(const rt::Arguments& arguments) { return rt::unitObjectAs<GridWidget>(arguments.unit(0)); }

void pageSetup(Value* result, int argumentCount, const Value* argumentValues) {
    rt::Arguments arguments(argumentCount, argumentValues);
    rt::returnLogical(result, editPageSettings(dataSourceArgument(arguments), QApplication::activeWindow()));
}

void printPreview(Value*, int argumentCount, const Value* argumentValues) {
    PrintPreviewWindow::open(gridArgument(rt::Arguments(argumentCount, argumentValues)));
}

void print(Value* result, int argumentCount, const Value* argumentValues) {
    rt::Arguments arguments(argumentCount, argumentValues);
    GridWidget& grid = gridArgument(arguments);
    if (!grid.dataSource()) return;
    PrintRequest request;
    request.lineColor = grid.lineColor();
    if (arguments.isGiven(2)) request.documentName = rt::fromGbk(arguments.text(2));
    const bool showProgress = arguments.integer(1, 1) == 1;
    const QString failure = printWithProgress(*grid.dataSource(), request, showProgress, grid.window());
    if (!failure.isEmpty()) rt::returnText(result, rt::toGbk(failure));
}

constexpr std::array kCommands{
    NamedCommand{"pageSetup", pageSetup},
    NamedCommand{"printPreview", printPreview},
    NamedCommand{"print", print},
};

}  // namespace

std::span<const NamedCommand> printCommands() { return kCommands; }

bool editPageSettings(DataSrc& source, QWidget* parent) {
    DataProvider* provider = source.provider();
    if (!provider) return false;
    PageSettings settings = provider->pageSettings();
    if (!runPageSetup(parent, settings)) return false;
    const bool changed = storedPart(settings) != storedPart(provider->pageSettings());
    provider->setPageSettings(settings);
    if (changed && pageSettingsObserver()) pageSettingsObserver()();
    return true;
}

void setPageSettingsObserver(std::function<void()> observer) { pageSettingsObserver() = std::move(observer); }

}  // namespace grid
