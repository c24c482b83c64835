#include "runtime/value/file_search.h"

#include <fnmatch.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

#include "runtime/value/blocks.h"

namespace rt {

struct FileSearch {
    std::vector<std::string> names;
    size_t next = 0;
};

namespace {

FileSearch* startSearch(std::string_view pattern, uint32_t attributeFilter) {
    namespace fs = std::filesystem;
    std::string text(pattern);
    size_t slash = text.find_last_of('/');
    fs::path directory = slash == std::string::npos ? fs::path(".") : fs::path(text.substr(0, slash + 1));
    std::string namePattern = slash == std::string::npos ? text : text.substr(slash + 1);

    auto* search = new FileSearch;
    std::error_code error;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        bool isDirectory = it->is_directory(error);
        if (isDirectory && !(attributeFilter & file_attribute::Directory)) continue;
        if (name.starts_with('.') && !(attributeFilter & file_attribute::Hidden)) continue;
        if (fnmatch(namePattern.c_str(), name.c_str(), 0) != 0) continue;
        search->names.push_back(std::move(name));
    }
    // Directory order differs between file systems; sorted names make runs repeatable.
    std::sort(search->names.begin(), search->names.end());
    return search;
}

}  // namespace

char* findNextFile(std::string_view pattern, uint32_t attributeFilter, FileSearch** handle) {
    if (!pattern.empty()) {
        closeFileSearch(*handle);
        *handle = startSearch(pattern, attributeFilter);
    }
    FileSearch* search = *handle;
    if (!search) return nullptr;
    if (search->next >= search->names.size()) {
        closeFileSearch(search);
        *handle = nullptr;
        return nullptr;
    }
    return makeText(search->names[search->next++]);
}

void closeFileSearch(FileSearch* handle) { delete handle; }

}  // namespace rt
