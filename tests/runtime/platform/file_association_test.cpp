#include "runtime/platform/file_association.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

TEST(FileAssociation, AnInstalledMimePackageDeclaresTheTypeForEveryone) {
    TempDir first;
    TempDir second;
    std::filesystem::create_directories(second.path() / "mime" / "packages");
    writeWholeFile((second.path() / "mime" / "packages" / "other.xml").string(),
                   "<mime-type type=\"application/x-other\"/>");
    std::string dirs = first.path().string() + ":" + second.path().string();
    setenv("XDG_DATA_DIRS", dirs.c_str(), 1);
    EXPECT_FALSE(rt::systemDeclaresMimeType(QStringLiteral("application/x-biaoge-plomut")));
    // Only a package file counts, in any of the directories.
    writeWholeFile((second.path() / "mime" / "packages" / "notes.txt").string(),
                   "type=\"application/x-biaoge-plomut\"");
    EXPECT_FALSE(rt::systemDeclaresMimeType(QStringLiteral("application/x-biaoge-plomut")));
    writeWholeFile((second.path() / "mime" / "packages" / "table.xml").string(),
                   "<mime-type type=\"application/x-biaoge-plomut\">");
    EXPECT_TRUE(rt::systemDeclaresMimeType(QStringLiteral("application/x-biaoge-plomut")));
    unsetenv("XDG_DATA_DIRS");
}

}  // namespace
