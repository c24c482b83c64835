#pragma once

#include <functional>
#include <span>

#include "grid/model/named_command.h"

class QWidget;

namespace grid {

class DataSrc;

// The printing commands: pageSetup of the data source (its unit as the first
// argument; true when the settings were confirmed and stored), printPreview of the
// grid (its unit) and print of the grid (its unit, then optionally show progress,
// default 1, and the document name, default "报表"; the result is empty on success or
// cancel, else the failure message).
std::span<const NamedCommand> printCommands();

// Shows the page setup on the table's settings and stores them when confirmed.
bool editPageSettings(DataSrc& source, QWidget* parent);

// Called whenever the page setup stored settings that differ from the table's: the
// settings travel in the table file, so the owner of the document marks it changed.
void setPageSettingsObserver(std::function<void()> observer);

}  // namespace grid
