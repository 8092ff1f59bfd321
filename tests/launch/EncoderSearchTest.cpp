#include "EncoderSearch.h"

#include <gtest/gtest.h>

#include <map>

using namespace quendra;

namespace {

// A file system given as a table: every path not listed is missing.
FileProbe fakeFiles(std::map<std::string, FileCheck> files) {
    return [files = std::move(files)](const std::string& path) {
        const auto found = files.find(path);
        return found == files.end() ? FileCheck::Missing : found->second;
    };
}

using Strings = std::vector<std::string>;

struct PathCase {
    const char* path;
    Strings directories;
};

void PrintTo(const PathCase& c, std::ostream* out) {
    *out << '"' << c.path << '"';
}

class PathDirectories : public testing::TestWithParam<PathCase> {};

TEST_P(PathDirectories, EmptyEntriesMeanTheCurrentDirectory) {
    EXPECT_EQ(pathDirectories(GetParam().path, "/cwd"), GetParam().directories);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PathDirectories,
    testing::Values(PathCase{"", {}}, PathCase{"/usr/bin", {"/usr/bin"}},
                    PathCase{"/a:/b", {"/a", "/b"}}, PathCase{"/a::/b", {"/a", "/cwd", "/b"}},
                    PathCase{":/a", {"/cwd", "/a"}}, PathCase{"/a:", {"/a", "/cwd"}},
                    PathCase{":", {"/cwd"}}, PathCase{"rel:/a", {"/cwd/rel", "/a"}},
                    PathCase{"/a:/b:/a", {"/a", "/b"}}, PathCase{"/a/:/b", {"/a/", "/b"}}));

class FindProgram : public testing::Test {
protected:
    SearchResult find(std::map<std::string, FileCheck> files,
                      const std::string& programDir = "/prog",
                      const std::string& currentDir = "/cwd", const std::string& path = "/p1:/p2") {
        return findProgram("lame.bin", programDir, currentDir, path, fakeFiles(std::move(files)));
    }
    static constexpr FileCheck kExe = FileCheck::Executable;
    static constexpr FileCheck kNotExe = FileCheck::NotExecutable;
};

TEST_F(FindProgram, ProgramDirectoryWinsOverCurrentDirectoryAndPath) {
    const SearchResult result =
        find({{"/prog/lame.bin", kExe}, {"/cwd/lame.bin", kExe}, {"/p1/lame.bin", kExe}});
    EXPECT_EQ(result.found, "/prog/lame.bin");
    EXPECT_EQ(result.searched, Strings{"/prog/lame.bin"});
}

TEST_F(FindProgram, CurrentDirectoryWinsOverPath) {
    const SearchResult result = find({{"/cwd/lame.bin", kExe}, {"/p1/lame.bin", kExe}});
    EXPECT_EQ(result.found, "/cwd/lame.bin");
    EXPECT_EQ(result.searched, (Strings{"/prog/lame.bin", "/cwd/lame.bin"}));
}

TEST_F(FindProgram, PathIsSearchedLastInItsOrder) {
    const SearchResult result = find({{"/p2/lame.bin", kExe}});
    EXPECT_EQ(result.found, "/p2/lame.bin");
    EXPECT_EQ(result.searched,
              (Strings{"/prog/lame.bin", "/cwd/lame.bin", "/p1/lame.bin", "/p2/lame.bin"}));
}

TEST_F(FindProgram, NonExecutableCandidatesAreSkippedAndRemembered) {
    const SearchResult result =
        find({{"/prog/lame.bin", kNotExe}, {"/cwd/lame.bin", kNotExe}, {"/p1/lame.bin", kExe}});
    EXPECT_EQ(result.found, "/p1/lame.bin");
    EXPECT_EQ(result.notExecutable, "/prog/lame.bin");
}

TEST_F(FindProgram, NothingFoundListsEveryPlaceOnce) {
    const SearchResult result = find({}, "/same", "/same", "/p1::/same:/p1");
    EXPECT_TRUE(result.found.empty());
    EXPECT_TRUE(result.notExecutable.empty());
    EXPECT_EQ(result.searched, (Strings{"/same/lame.bin", "/p1/lame.bin"}));
}

TEST_F(FindProgram, UnknownProgramDirectoryIsLeftOut) {
    const SearchResult result = find({}, "", "/cwd", "");
    EXPECT_EQ(result.searched, Strings{"/cwd/lame.bin"});
}

TEST_F(FindProgram, EmptyPathEntryFindsTheCurrentDirectoryWhenItIsUnknownOtherwise) {
    // The root directory joins without a doubled slash.
    const SearchResult result = find({{"/lame.bin", kExe}}, "/prog", "/", "/p1:");
    EXPECT_EQ(result.found, "/lame.bin");
}

TEST(DirectoryOf, TableOfPaths) {
    const std::pair<const char*, const char*> cases[] = {{"/usr/bin/prog", "/usr/bin"},
                                                         {"/prog", "/"},
                                                         {"prog", ""},
                                                         {"a/b", "a"},
                                                         {"/a b/ü/x", "/a b/ü"}};
    for (const auto& [path, directory] : cases)
        EXPECT_EQ(directoryOf(path), directory) << path;
}

} // namespace
