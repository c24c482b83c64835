#pragma once

#include <QIcon>

namespace rt {

// The 16x16 image of a toolbar entry by its image number. Numbers with a matching
// icon of the desktop's icon theme use it; the table-specific ones are drawn in the
// same flat style; -1 and unknown numbers give no image.
QIcon toolbarImage(int imageNumber);

}  // namespace rt
