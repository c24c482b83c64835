#include "app/edit/format_commands.h"

#include <optional>
#include <string>
#include <vector>

#include "app/edit/color_choice.h"
#include "app/edit/table_change.h"
#include "app/units/data_source_ref.h"
#include "app/units/file_dialog_ref.h"
#include "app/units/grid_ref.h"
#include "grid/model/limits.h"
#include "grid/model/picture_format.h"
#include "runtime/value/file_name.h"
#include "runtime/value/regular_file.h"
#include "runtime/window/message_box.h"

namespace app {
namespace {

// The kind of cell content that holds picture bytes.
constexpr int32_t kPictureData = 3;

bool hasCells(const SelectedRange& range) {
    return range.row > 0 && range.column > 0 && range.rowCount > 0 && range.columnCount > 0;
}

// Reads the selection afresh, applies change to it and records the change when the
// selection held any cell.
template <typename Change>
void changeSelection(Change change) {
    mainGrid().commitEdit();
    SelectedRange range = mainGrid().selection();
    change(mainDataSource(), range);
    if (hasCells(range)) recordTableChange();
}

// The picture's bytes, or nothing when the file cannot be read, is larger than a cell
// may hold or does not start like a picture the grid can show.
std::optional<std::vector<uint8_t>> pictureFile(const std::string& gbkPath) {
    std::optional<std::string> bytes =
        rt::readRegularFile(rt::pathFromText(gbkPath), static_cast<uint64_t>(grid::kMaxContentLength));
    if (!bytes) return std::nullopt;
    std::vector<uint8_t> picture(bytes->begin(), bytes->end());
    if (grid::recognisePicture(picture) == grid::PictureFormat::None) return std::nullopt;
    return picture;
}

void colorSelection(bool background) {
    std::optional<uint32_t> color = chooseColorAtPointer();
    if (!color) return;
    changeSelection([&](const DataSourceRef& table, const SelectedRange& range) {
        if (background) {
            table.setBackColor(range.row, range.column, range.rowCount, range.columnCount, *color);
        } else {
            table.setTextColor(range.row, range.column, range.rowCount, range.columnCount, *color);
        }
    });
}

}  // namespace

void alignSelection(int32_t code) {
    changeSelection([code](const DataSourceRef& table, const SelectedRange& range) {
        table.setAlignment(range.row, range.column, range.rowCount, range.columnCount, code);
    });
}

void showPicturesAs(int32_t code) {
    SelectedRange range = mainGrid().selection();
    if (mainDataSource().cellKind(range.row, range.column) != kPictureData) return;
    alignSelection(code);
}

void drawSelectionLines(uint32_t lines) {
    changeSelection([lines](const DataSourceRef& table, const SelectedRange& range) {
        table.drawLines(range.row, range.column, range.rowCount, range.columnCount, lines);
    });
}

void eraseSelectionLines(uint32_t lines) {
    changeSelection([lines](const DataSourceRef& table, const SelectedRange& range) {
        table.eraseLines(range.row, range.column, range.rowCount, range.columnCount, lines);
    });
}

void setSelectionInputType(int32_t type) {
    changeSelection([type](const DataSourceRef& table, const SelectedRange& range) {
        table.setInputType(range.row, range.column, range.rowCount, range.columnCount, type);
    });
}

void insertPictureFromFile() {
    std::optional<std::string> chosen = chooseFile("插入图片", FileDialogType::Open, kPictureFilter);
    if (!chosen) return;
    // A file that will not show leaves the cell as it was: turning it into an empty
    // picture cell would throw its text away for nothing.
    std::optional<std::vector<uint8_t>> bytes = pictureFile(*chosen);
    if (!bytes) {
        rt::showMessageBox("无法插入图片文件“" + *chosen + "”：文件读不出来、太大，或不是能显示的图片。\n单元格保持不变。",
                           rt::message_box::Ok | rt::message_box::ExclamationIcon, "提示：");
        return;
    }
    changeSelection([&](const DataSourceRef& table, const SelectedRange& range) {
        table.setCellKind(range.row, range.column, 1, 1, kPictureData);
        table.setCellData(range.row, range.column, *bytes);
    });
}

void colorSelectionText() { colorSelection(false); }

void colorSelectionBackground() { colorSelection(true); }

}  // namespace app
