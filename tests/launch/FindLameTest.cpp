#include "FindLame.h"

#include <gtest/gtest.h>

#include <map>

using namespace quendra;

namespace {

class FindLameOnPath : public testing::Test {
protected:
    std::string find(const std::string& path, std::optional<FileIdentity> self = kSelf) const {
        return findLame(path, "/cwd", self, [this](const std::string& candidate) {
            const auto found = files.find(candidate);
            return found == files.end() ? std::nullopt : std::optional<FileIdentity>(found->second);
        });
    }

    static constexpr FileIdentity kSelf{1, 100};
    static constexpr FileIdentity kLame{1, 200};
    // Executable files by path; two paths with one identity are links to one file.
    std::map<std::string, FileIdentity> files{{"/wrapper/lame", kSelf},
                                              {"/usr/local/bin/lame", kSelf},
                                              {"/usr/bin/lame", kLame},
                                              {"/cwd/lame", kLame}};
};

TEST_F(FindLameOnPath, FirstOnPathThatIsNotItself) {
    EXPECT_EQ(find("/usr/bin"), "/usr/bin/lame");
    EXPECT_EQ(find("/wrapper:/usr/local/bin:/usr/bin"), "/usr/bin/lame");
    EXPECT_EQ(find("/nothing:/usr/bin:/cwd"), "/usr/bin/lame");
}

TEST_F(FindLameOnPath, OnlyItselfOrNothingIsNotFound) {
    EXPECT_EQ(find("/wrapper:/usr/local/bin"), "");
    EXPECT_EQ(find("/nothing"), "");
    EXPECT_EQ(find(""), "");
}

TEST_F(FindLameOnPath, EmptyEntryIsTheCurrentDirectory) {
    EXPECT_EQ(find("/wrapper::/usr/bin"), "/cwd/lame");
}

TEST_F(FindLameOnPath, UnknownSelfSkipsNothing) {
    EXPECT_EQ(find("/wrapper:/usr/bin", std::nullopt), "/wrapper/lame");
}

} // namespace
