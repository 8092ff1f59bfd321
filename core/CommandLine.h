#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quendra {

// The Windows command-line conventions that the encoder splits its line by: blanks and tabs
// separate arguments, double quotes enclose blanks, a backslash before a double quote makes it
// literal, and 2n backslashes before a double quote stand for n backslashes.

// The value enclosed in double quotes so that splitting gives it back whole. A value without a
// double quote and without a trailing backslash is simply enclosed.
std::string quoteArgument(std::string_view value);

// The argument list of a command line, the program name included.
std::vector<std::string> splitCommandLine(std::string_view line);

} // namespace quendra
