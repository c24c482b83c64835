#include "grid/workbook/workbook_import_commands.h"

#include <array>
#include <memory>
#include <new>
#include <string>

#include "grid/model/command_arguments.h"
#include "grid/model/data_source.h"
#include "grid/workbook/workbook_reader.h"
#include "runtime/value/file_name.h"

namespace grid::workbook {
namespace {

// The workbook between reading it and loading one of its sheets. Commands run on the
// interface thread only, one after another.
std::unique_ptr<WorkbookReader>& keptWorkbook() {
    static std::unique_ptr<WorkbookReader> reader;
    return reader;
}

void readWorkbookCommand(rt::Value* result, int argumentCount, const rt::Value* argumentValues) {
    rt::Arguments arguments(argumentCount, argumentValues);
    auto reader = std::make_unique<WorkbookReader>();
    WorkbookKind kind = arguments.integer(1) == 1 ? WorkbookKind::Ods : WorkbookKind::Xlsx;
    WorkbookError error = reader->read(rt::pathFromText(arguments.text(0)).string(), kind);
    keptWorkbook() = error == WorkbookError::None ? std::move(reader) : nullptr;
    rt::returnInteger(result, static_cast<int32_t>(error));
}

void workbookSheetNamesCommand(rt::Value* result, int, const rt::Value*) {
    std::string names;
    if (const auto& reader = keptWorkbook()) {
        for (const std::string& name : reader->sheetNames()) {
            if (!names.empty()) names += '\n';
            for (char c : name) names += (c == '\n' || c == '\r') ? ' ' : c;
        }
    }
    rt::returnText(result, names);
}

void workbookLostContentCommand(rt::Value* result, int, const rt::Value*) {
    std::string named;
    if (const auto& reader = keptWorkbook()) {
        for (LostKind kind : reader->lost()) {
            if (!named.empty()) named += "、";
            named += lostKindName(kind);
        }
    }
    rt::returnText(result, named);
}

void loadWorkbookSheetCommand(rt::Value* result, int argumentCount, const rt::Value* argumentValues) {
    rt::Arguments arguments(argumentCount, argumentValues);
    DataSrc& source = dataSourceArgument(arguments);
    DataProvider* provider = source.provider();
    std::unique_ptr<WorkbookReader> reader = std::move(keptWorkbook());
    const int64_t index = int64_t{arguments.integer(1)} - 1;
    if (!provider || !reader || index < 0) {
        rt::returnInteger(result, static_cast<int32_t>(WorkbookError::NoSheet));
        return;
    }
    WorkbookError error = WorkbookError::OutOfMemory;
    source.notifyBeforeChange();
    try {
        Table table({provider->defaultRowHeight(), provider->defaultColumnWidth()});
        error = reader->buildSheet(static_cast<size_t>(index), table);
        if (error == WorkbookError::None && !provider->replaceTable(std::move(table))) {
            error = WorkbookError::OutOfMemory;
        }
    } catch (const std::bad_alloc&) {
        error = WorkbookError::OutOfMemory;
    }
    source.notifyTableReset();
    rt::returnInteger(result, static_cast<int32_t>(error));
}

constexpr std::array kCommands = {
    NamedCommand{"readWorkbook", readWorkbookCommand},
    NamedCommand{"workbookSheetNames", workbookSheetNamesCommand},
    NamedCommand{"workbookLostContent", workbookLostContentCommand},
    NamedCommand{"loadWorkbookSheet", loadWorkbookSheetCommand},
};

}  // namespace

std::span<const NamedCommand> workbookImportCommands() { return kCommands; }

}  // namespace grid::workbook
