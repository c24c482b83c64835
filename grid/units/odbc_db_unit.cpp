#include "grid/units/odbc_db_unit.h"

#include <algorithm>

#include "grid/provider/connection_password.h"
#include "grid/units/data_source_dialog.h"
#include "grid/units/grid_units.h"
#include "runtime/window/input_box.h"
#include "runtime/window/message_box.h"

namespace grid {
namespace {

bool isBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

bool OdbcDbUnit::open(std::string_view connection, bool noDialog) {
    std::string text(connection);
    if (!noDialog) {
        if (isBlank(text)) {
            std::optional<std::string> chosen = chooseDataSource(codec_);
            if (!chosen) return false;
            text = *chosen;
        }
        std::u16string wide = codec_.toUtf16(text);
        if (needsPassword(wide)) {
            auto password = rt::showInputBox("请输入数据库用户的密码：", "连接数据库", "", rt::InputMode::Password);
            if (!password) return false;
            text = codec_.toGbk(withAnsweredPassword(wide, codec_.toUtf16(*password)));
        }
    }
    if (database_.open(text)) return true;
    if (!noDialog) rt::showMessageBox(database_.lastError(), rt::message_box::Ok | rt::message_box::ErrorIcon, "错误：");
    return false;
}

void registerOdbcDbUnitKind() { rt::registerUnitKind(rt::unit_kind::OdbcDb, rt::constructUnit<OdbcDbUnit>); }

}  // namespace grid
