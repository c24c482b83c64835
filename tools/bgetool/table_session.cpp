#include "tools/bgetool/table_session.h"

#include "grid/format/table_file_io.h"
#include "runtime/value/unit_registry.h"

namespace bgetool {

TableSession::TableSession() {
    source_.bindProvider(&provider_);
    rt::registerUnitObject(unit_, &source_);
}

TableSession::~TableSession() { rt::unregisterUnitObject(unit_); }

bool TableSession::load(const std::string& path, std::string& error) {
    grid::ReadError result = grid::loadTableFile(source_, path);
    if (result == grid::ReadError::None) return true;
    error = path + ": " + std::string(grid::readErrorMessage(result));
    return false;
}

}  // namespace bgetool
