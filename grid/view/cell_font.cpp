#include "grid/view/cell_font.h"

#include <algorithm>

#include "grid/model/cell.h"
#include "grid/view/font_substitutions.h"
#include "runtime/platform/gbk_codec.h"

namespace grid {

QFont cellFont(std::string_view face, int pixelHeight, uint32_t flags) {
    installFontSubstitutions();
    QFont font(rt::fromGbk(face.empty() ? kDefaultFontName : face));
    font.setPixelSize(std::max(pixelHeight, 1));
    font.setBold((flags & CellFlags::kBold) != 0);
    font.setItalic((flags & CellFlags::kItalic) != 0);
    font.setUnderline((flags & CellFlags::kUnderline) != 0);
    font.setStrikeOut((flags & CellFlags::kStrikeout) != 0);
    return font;
}

}  // namespace grid
