#pragma once

namespace grid {

// Maps the Chinese face names that tables use ("宋体", "黑体", "楷体_GB2312" and the
// rest of the font list) to the CJK fonts installed with the program, through Qt's
// own substitution table so that it works the same with or without fontconfig's
// aliases. Safe to call often; the table is filled once.
void installFontSubstitutions();

}  // namespace grid
