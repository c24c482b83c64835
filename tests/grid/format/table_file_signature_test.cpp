// Telling a table file by its first bytes, whatever its name.
#include <gtest/gtest.h>

#include <string>

#include "grid/format/table_file_io.h"
#include "grid/format/table_file_signature.h"
#include "tests/grid/support/table_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(TableFileSignatureTest, OnlyTheFourBytesDecide) {
    TempDir directory;
    TableFixture table(3, 2);
    const std::string saved = directory.file("saved as.txt");
    ASSERT_TRUE(grid::saveTableFile(table.source, saved));
    EXPECT_TRUE(grid::startsAsTableFile(saved));
    struct Case {
        const char* what;
        std::string bytes;
        bool isTable;
    } cases[] = {
        {"the bare signature", "SDmR", true},
        {"three of its bytes", "SDm", false},
        {"a cell block's signature", "TSmR....", false},
        {"text", "a;b;c\r\n", false},
        {"empty", "", false},
    };
    for (const Case& c : cases) {
        const std::string path = directory.file("case.bge");
        writeWholeFile(path, c.bytes);
        EXPECT_EQ(grid::startsAsTableFile(path), c.isTable) << c.what;
    }
    EXPECT_FALSE(grid::startsAsTableFile(directory.file("missing.bge")));
    EXPECT_FALSE(grid::startsAsTableFile(directory.path()));
}

}  // namespace
