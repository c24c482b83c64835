#pragma once

#include <memory>
#include <vector>

class QWidget;

namespace rt {

class Unit;

// Puts the units of a window into the Tab order a person reads them in: top to
// bottom, and left to right along a line; a group box's units together, where the box
// stands. Templates list units in no such order (often the last drawn first), and the
// widgets are made in template order, which Qt would take as the Tab order. The area
// is the window's own area that holds the units.
void orderTabsByReading(QWidget& area, const std::vector<std::unique_ptr<Unit>>& units);

}  // namespace rt
