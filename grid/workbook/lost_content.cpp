#include "grid/workbook/lost_content.h"

namespace grid::workbook {

const char* lostKindName(LostKind kind) {
    switch (kind) {
        case LostKind::Pictures: return "图片";
        case LostKind::Charts: return "图表";
        case LostKind::ConditionalFormats: return "条件格式";
        case LostKind::Comments: return "批注";
        case LostKind::HiddenRowsAndColumns: return "隐藏的行和列（已显示）";
        case LostKind::SplitPanes: return "拆分的窗格";
    }
    return "";
}

}  // namespace grid::workbook
