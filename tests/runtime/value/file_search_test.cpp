#include "runtime/value/file_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "runtime/value/owned.h"
#include "tests/support/temp_dir.h"

namespace {

std::vector<std::string> allMatches(const std::string& pattern, uint32_t filter) {
    std::vector<std::string> names;
    rt::FileSearch* handle = nullptr;
    for (char* name = rt::findNextFile(pattern, filter, &handle); name;
         name = rt::findNextFile("", filter, &handle)) {
        names.push_back(name);
        rt::release(name);
    }
    EXPECT_EQ(handle, nullptr);
    return names;
}

TEST(FindFiles, MatchesTheLastPartOfThePattern) {
    TempDir dir;
    for (const char* name : {"b.bge", "a.bge", "c.txt", ".hidden.bge"}) writeWholeFile(dir.file(name), "x");
    std::filesystem::create_directory(dir.path() / "sub.bge");

    EXPECT_EQ(allMatches(dir.file("*.bge"), 0), (std::vector<std::string>{"a.bge", "b.bge"}));
    EXPECT_EQ(allMatches(dir.file("*.bge"), rt::file_attribute::Directory),
              (std::vector<std::string>{"a.bge", "b.bge", "sub.bge"}));
    EXPECT_EQ(allMatches(dir.file("*.bge"), rt::file_attribute::Hidden),
              (std::vector<std::string>{".hidden.bge", "a.bge", "b.bge"}));
    EXPECT_EQ(allMatches(dir.file("?.txt"), 0), (std::vector<std::string>{"c.txt"}));
    EXPECT_TRUE(allMatches(dir.file("*.mob"), 0).empty());
    EXPECT_TRUE(allMatches(dir.file("missing/*"), 0).empty());
}

TEST(FindFiles, EmptyPatternWithoutASearchFindsNothing) {
    rt::FileSearch* handle = nullptr;
    EXPECT_EQ(rt::findNextFile("", 0, &handle), nullptr);
    rt::closeFileSearch(nullptr);
}

}  // namespace
