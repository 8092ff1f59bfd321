#include "StartRequest.h"

#include <gtest/gtest.h>

using namespace quendra;

namespace {

using Strings = std::vector<std::string>;

TEST(StartRequest, TheStarterReadsBackExactlyTheEncoderAndTheWords) {
    const EncoderRequest request{"/opt/my programs/lame.bin",
                                 {"lame.bin", "--tt", "$(touch x) `id`; *", "",
                                  "a\nb\tc\\d 'e' \"f\"", "-k", "gr\xC3\xBC\xC3\x9F \xE2\x99\xAB"}};
    const std::optional<EncoderRequest> read = parseRequest(requestText(request));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->encoder, request.encoder);
    EXPECT_EQ(read->words, request.words);
}

TEST(StartRequest, ATextThatIsNoWholeRequestIsRefused) {
    const std::string whole = requestText({"/bin/lame.bin", {"lame.bin", "in.wav"}});
    EXPECT_TRUE(parseRequest(whole));
    EXPECT_FALSE(parseRequest(""));
    EXPECT_FALSE(parseRequest(whole.substr(0, whole.size() - 1))) << "cut short";
    EXPECT_FALSE(parseRequest("another mark" + whole.substr(whole.find('\0'))));
    EXPECT_FALSE(parseRequest(requestText({"/bin/lame.bin", {}}))) << "no words";
    EXPECT_FALSE(parseRequest(requestText({"", {"lame.bin"}}))) << "no encoder";
}

TEST(StartRequest, ATrysFilesAreNamedAfterItsRequest) {
    const std::string request = requestPath("/run/user/1000/quendra-orvo.x1", 2);
    EXPECT_EQ(request, "/run/user/1000/quendra-orvo.x1/2.request");
    EXPECT_EQ(claimedPath(request), "/run/user/1000/quendra-orvo.x1/2.claimed");
    EXPECT_EQ(reportPath(request), "/run/user/1000/quendra-orvo.x1/2.report");
}

TEST(StartRequest, TheReportIsTheErrorOrZero) {
    EXPECT_EQ(parseReport(reportText(0)), 0);
    EXPECT_EQ(parseReport(reportText(8)), 8);
    for (const char* torn : {"", "\n", "8", "x\n", "-1\n", "+8\n", " 8\n", "8 \n",
                             "12345678901234\n", "99999999999\n"})
        EXPECT_FALSE(parseReport(torn)) << torn;
}

TEST(ShownCommandLine, QuotesWhatAShellWouldReadOtherwiseAndShowsNoControlCharacterRaw) {
    EXPECT_EQ(shownCommandLine({"lame.bin", "-q", "2", "/music/in.wav", "a_b@c%d+e=f:g,h"}),
              "lame.bin -q 2 /music/in.wav a_b@c%d+e=f:g,h");
    EXPECT_EQ(shownCommandLine({"", "in put.wav", "it's", "$(x) `y`; *", "gr\xC3\xBC\xC3\x9F"}),
              "'' 'in put.wav' 'it'\\''s' '$(x) `y`; *' 'gr\xC3\xBC\xC3\x9F'");
    // A newline, an escape, a C1 control (U+009B, a terminal's CSI) and a byte that is no UTF-8.
    EXPECT_EQ(shownCommandLine({"a\nb", "it's\x1B]0;x\x07",
                                "\xC2\x9B"
                                "2J \xC3\xBC",
                                "\xFF\\"}),
              "$'a\\nb' $'it\\'s\\x1B]0;x\\x07' $'\\xC2\\x9B2J \xC3\xBC' $'\\xFF\\\\'");
}

// Characters that change how the text around them reads show as escapes: the bidirectional
// controls and the zero-width characters; the letters around them show as they are.
TEST(ShownText, ShowsControlsBidirectionalAndZeroWidthCharactersAsEscapes) {
    const std::pair<const char*, const char*> rows[] = {
        {"caf\xC3\xA9 \xE6\x9B\xB2 \xF0\x9F\x8E\xB5", "caf\xC3\xA9 \xE6\x9B\xB2 \xF0\x9F\x8E\xB5"},
        {"a\x1B]0;x\x07\n\t\x7F\xC2\x9B", "a\\x1B]0;x\\x07\\n\\t\\x7F\\xC2\\x9B"},
        {"\xE2\x80\xAE"
         "a",
         "\\xE2\\x80\\xAEa"}, // right-to-left override
        {"\xE2\x81\xA6"
         "b\xE2\x81\xA9",
         "\\xE2\\x81\\xA6b\\xE2\\x81\\xA9"},                   // an isolate
        {"\xE2\x80\x8F\xD8\x9C", "\\xE2\\x80\\x8F\\xD8\\x9C"}, // marks
        {"z\xE2\x80\x8Bw\xE2\x81\xA0\xEF\xBB\xBF",
         "z\\xE2\\x80\\x8Bw\\xE2\\x81\\xA0\\xEF\\xBB\\xBF"},
        {"\xE2\x80\xAA\xE2\x80\xAF", "\\xE2\\x80\\xAA\xE2\x80\xAF"}, // U+202F is a space
        {"\xC3 \xED\xA0\x80", "\\xC3 \\xED\\xA0\\x80"},              // no UTF-8
    };
    for (const auto& [text, shown] : rows)
        EXPECT_EQ(shownText(text), shown) << text;
    EXPECT_EQ(shownCommandLine({"--tt", "abc\xE2\x80\xAE"
                                        "3pm.exe"}),
              "--tt $'abc\\xE2\\x80\\xAE3pm.exe'");
}

TEST(TitleSequence, SetsTheTitleWithTheTitlesControlCharactersShownAsEscapes) {
    EXPECT_EQ(titleSequence("lame.bin - out.mp3"), "\x1B]0;lame.bin - out.mp3\x07");
    EXPECT_EQ(
        titleSequence("lame.bin - a\x07\x1B]0;b\n\xC2\x9C"
                      "c \xE2\x99\xAB\xE2\x80\xAE.mp3"),
        "\x1B]0;lame.bin - a\\x07\\x1B]0;b\\n\\xC2\\x9Cc \xE2\x99\xAB\\xE2\\x80\\xAE.mp3\x07");
}

} // namespace
