#include "grid/model/font_names.h"

#include <mutex>
#include <string>
#include <unordered_set>

namespace grid {

const char* internFontName(std::string_view name) {
    // Nodes never move, so the pointers handed out stay valid while others are added;
    // the set is never destroyed, so no cell outlives its name at exit.
    static auto* names = new std::unordered_set<std::string>;
    static std::mutex guard;
    std::lock_guard lock(guard);
    return names->emplace(name).first->c_str();
}

}  // namespace grid
