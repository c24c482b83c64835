#include "grid/model/font_names.h"

#include <mutex>
#include <string>
#include <unordered_set>

namespace grid {

const char* internFontName(std::string_view name) {
    // A file's cells name the same face over and over; the last answer on this thread
    // settles most calls without the lock.
    thread_local std::string_view lastName;
    thread_local const char* lastCopy = nullptr;
    if (lastCopy && name == lastName) return lastCopy;
    // Nodes never move, so the pointers handed out stay valid while others are added;
    // the set is never destroyed, so no cell outlives its name at exit.
    static auto* names = new std::unordered_set<std::string>;
    static std::mutex guard;
    std::lock_guard lock(guard);
    const std::string& copy = *names->emplace(name).first;
    lastName = copy;
    lastCopy = copy.c_str();
    return lastCopy;
}

}  // namespace grid
