#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// What the front-end hands the starter that a terminal window runs, and what the starter answers.
// Both are files in a private folder of the front-end's, a set for each terminal tried:
// "<folder>/<n>.request", written by the front-end; the starter claims it by renaming it to
// "<n>.claimed" (the front-end withdraws it by removing it: whoever comes first wins) and answers
// in "<n>.report" once the encoder runs or could not be started.

// The starter's file name, beside the program.
inline constexpr char kStarterName[] = "start-encoder";

// Set in the encoder's environment by the starter, which shows the command line and keeps the
// terminal window open after a failure: the encoder need do neither.
inline constexpr char kStarterVariable[] = "QUENDRA_STARTER";

// The encoder to run and its exact words, argv[0] included.
struct EncoderRequest {
    std::string encoder;
    std::vector<std::string> words;
};

// The request as written: a mark, the encoder's path and the words, each ending in a NUL byte.
std::string requestText(const EncoderRequest& request);
// Nothing for a text that is no whole request, or one without words.
std::optional<EncoderRequest> parseRequest(std::string_view text);

std::string requestPath(const std::string& folder, int attempt);
std::string claimedPath(const std::string& request);
std::string reportPath(const std::string& request);

// The report: 0 when the encoder runs, else the error (errno) that kept it from starting. Nothing
// for a text that is no whole report, or one longer than kReportLimit bytes.
inline constexpr std::size_t kReportLimit = 12;
std::string reportText(int error);
std::optional<int> parseReport(std::string_view text);

// A name or a field's text as it may be shown on a terminal or in a message: a control character
// (C0, DEL, C1), a bidirectional control or zero-width character (which change how the text
// around them reads) and a byte that is no UTF-8 each show as escapes ("\n", "\t", "\xE2\x80\xAE"),
// every other character as itself.
std::string shownText(std::string_view text);

// The command line a terminal shows first: the words as a POSIX shell reads them back, each bare
// where it holds only characters no shell treats specially, else in single quotes; a word with a
// character that shownText escapes goes in $'...' with its bytes as escapes, so that nothing in a
// name reaches the terminal as a command of its own or reads otherwise than it is.
std::string shownCommandLine(const std::vector<std::string>& words);

// The standard escape sequence that sets a terminal window's title (OSC 0, ended by BEL), the
// title as shownText shows it.
std::string titleSequence(std::string_view title);

} // namespace quendra
