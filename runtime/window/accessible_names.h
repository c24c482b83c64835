#pragma once

#include <memory>
#include <vector>

namespace rt {

class Unit;

// Gives every edit box, combo box and colour picker the text of the label in front of
// it as its accessible name, so a screen reader says "字体大小：" rather than "edit". Labels
// often hold several names with blank runs where boxes sit ("行数：    列数："): the
// name is the last word of the label's text that ends before the box begins.
void nameInputsAfterTheirLabels(const std::vector<std::unique_ptr<Unit>>& units);

}  // namespace rt
