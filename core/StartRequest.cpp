#include "StartRequest.h"

#include "Utf16.h"

#include <charconv>
#include <cstdio>

namespace quendra {

namespace {

constexpr std::string_view kMark = "quendra-orvo encoder request 1";

constexpr std::string_view kRequestSuffix = ".request";

std::string withSuffix(const std::string& request, std::string_view suffix) {
    const bool named = request.size() > kRequestSuffix.size() &&
                       request.compare(request.size() - kRequestSuffix.size(),
                                       kRequestSuffix.size(), kRequestSuffix) == 0;
    return (named ? request.substr(0, request.size() - kRequestSuffix.size()) : request) +
           std::string(suffix);
}

bool shellSafe(std::string_view word) {
    if (word.empty())
        return false;
    for (const char c : word) {
        const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') ||
                          std::string_view("_@%+=:,./-").find(c) != std::string_view::npos;
        if (!safe)
            return false;
    }
    return true;
}

// C0, DEL and C1, as a terminal takes them: commands, not characters.
bool isControl(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0);
}

// Characters that are not seen but change how the text around them reads: the bidirectional
// controls (marks, embeddings, overrides, isolates) and the zero-width characters.
bool isInvisibleFormat(char32_t c) {
    return c == 0x061C || (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           c == 0x2060 || (c >= 0x2066 && c <= 0x2069) || c == 0xFEFF;
}

// The bytes of the character at `at` where it is one well-formed character that shows as itself:
// no control, no invisible format character.
std::size_t printableLength(std::string_view word, std::size_t at) {
    const auto lead = static_cast<unsigned char>(word[at]);
    const std::size_t length = utf8SequenceLength(lead);
    if (at + length > word.size() || !isWellFormedUtf8(word.substr(at, length)))
        return 0;
    // Every character looked for is in the Basic Multilingual Plane: its one UTF-16 unit.
    const char16_t c = utf16From(word.substr(at, length)).front();
    return isControl(c) || isInvisibleFormat(c) ? 0 : length;
}

std::string hexEscape(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

// The text with each byte that is not part of a printable character as an escape, and the
// characters of `escapedToo` behind a backslash.
std::string escaped(std::string_view text, std::string_view escapedToo) {
    std::string shown;
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (const std::size_t length = printableLength(text, at); length > 0) {
            if (escapedToo.find(text[at]) != std::string_view::npos)
                shown += '\\';
            shown.append(text.substr(at, length));
            at += length;
            continue;
        }
        shown += byte == '\n' ? "\\n" : byte == '\t' ? "\\t" : hexEscape(byte);
        ++at;
    }
    return shown;
}

bool printable(std::string_view text) {
    for (std::size_t at = 0, length; at < text.size(); at += length)
        if ((length = printableLength(text, at)) == 0)
            return false;
    return true;
}

std::string shellQuoted(std::string_view word) {
    if (shellSafe(word))
        return std::string(word);
    if (!printable(word))
        return "$'" + escaped(word, "\\'") + "'";
    std::string quoted = "'";
    for (const char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string requestText(const EncoderRequest& request) {
    std::string text(kMark);
    text += '\0';
    text += request.encoder + '\0';
    for (const std::string& word : request.words)
        text += word + '\0';
    return text;
}

std::optional<EncoderRequest> parseRequest(std::string_view text) {
    std::vector<std::string> fields;
    for (std::size_t end; !text.empty(); text.remove_prefix(end + 1)) {
        end = text.find('\0');
        if (end == std::string_view::npos)
            return std::nullopt; // cut short
        fields.emplace_back(text.substr(0, end));
    }
    if (fields.size() < 3 || fields.front() != kMark || fields[1].empty())
        return std::nullopt;
    return EncoderRequest{fields[1], {fields.begin() + 2, fields.end()}};
}

std::string requestPath(const std::string& folder, int attempt) {
    return folder + "/" + std::to_string(attempt) + std::string(kRequestSuffix);
}

std::string claimedPath(const std::string& request) {
    return withSuffix(request, ".claimed");
}

std::string reportPath(const std::string& request) {
    return withSuffix(request, ".report");
}

std::string reportText(int error) {
    return std::to_string(error) + "\n";
}

std::optional<int> parseReport(std::string_view text) {
    if (text.size() < 2 || text.size() > kReportLimit || text.back() != '\n')
        return std::nullopt;
    const char* const end = text.data() + text.size() - 1;
    int error = -1;
    const auto [stop, failure] = std::from_chars(text.data(), end, error);
    if (failure != std::errc() || stop != end || error < 0)
        return std::nullopt;
    return error;
}

std::string shownCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty())
            line += ' ';
        line += shellQuoted(word);
    }
    return line;
}

std::string shownText(std::string_view text) {
    return printable(text) ? std::string(text) : escaped(text, "");
}

std::string titleSequence(std::string_view title) {
    return "\033]0;" + shownText(title) + "\007";
}

} // namespace quendra
