#include "StartRequest.h"

#include "Utf16.h"

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

// The bytes of the character at `at` where it is one well-formed character and no control.
std::size_t printableLength(std::string_view word, std::size_t at) {
    const auto lead = static_cast<unsigned char>(word[at]);
    const std::size_t length = utf8SequenceLength(lead);
    if (at + length > word.size() || !isWellFormedUtf8(word.substr(at, length)))
        return 0;
    if (length == 1)
        return isControl(lead) ? 0 : 1;
    const bool c1 = lead == 0xC2 && static_cast<unsigned char>(word[at + 1]) < 0xA0;
    return c1 ? 0 : length;
}

std::string hexEscape(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

std::string ansiCQuoted(std::string_view word) {
    std::string quoted = "$'";
    for (std::size_t at = 0; at < word.size();) {
        const auto byte = static_cast<unsigned char>(word[at]);
        if (const std::size_t length = printableLength(word, at); length > 0) {
            if (byte == '\\' || byte == '\'')
                quoted += '\\';
            quoted.append(word.substr(at, length));
            at += length;
            continue;
        }
        quoted += byte == '\n' ? "\\n" : byte == '\t' ? "\\t" : hexEscape(byte);
        ++at;
    }
    return quoted + "'";
}

std::string shellQuoted(std::string_view word) {
    if (shellSafe(word))
        return std::string(word);
    for (std::size_t at = 0; at < word.size();) {
        const std::size_t length = printableLength(word, at);
        if (length == 0)
            return ansiCQuoted(word);
        at += length;
    }
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
    if (text.size() < 2 || text.back() != '\n' || text.size() > 12)
        return std::nullopt;
    int error = 0;
    for (const char c : text.substr(0, text.size() - 1)) {
        if (c < '0' || c > '9')
            return std::nullopt;
        error = error * 10 + (c - '0');
    }
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

std::string titleSequence(std::string_view title) {
    std::u16string shown;
    for (const char16_t unit : utf16From(title))
        if (!isControl(unit))
            shown += unit;
    return "\033]0;" + utf8From(shown) + "\007";
}

} // namespace quendra
