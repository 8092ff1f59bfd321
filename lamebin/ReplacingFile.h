#pragma once

#include "ByteSink.h"

#include <string>
#include <vector>

namespace quendra {

// The output written under a temporary name in the output's folder and put in the output's
// place only by commit(), in one rename: until then an earlier file of that name stays as it
// was, and a file never committed is removed. A link as output is followed, so the file it
// leads to is the one replaced; a replaced file keeps its permissions.
class ReplacingFile : public ByteSink {
public:
    ReplacingFile() = default;
    ~ReplacingFile() override;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file; returns why it cannot, or "".
    std::string create(const std::string& output);
    // Puts the complete file in the output's place; returns why it could not, or "".
    std::string commit();
    // Removes the temporary file; safe to call more than once.
    void discard();

    bool write(const unsigned char* bytes, std::size_t size) override;
    bool writeAt(std::size_t offset, const unsigned char* bytes, std::size_t size) override;
    std::size_t size() const override { return written_; }
    std::string error() const override { return error_; }

    const std::string& temporaryName() const { return temporary_; }

private:
    bool flushBuffer();
    bool fail(const std::string& what);

    int folder_ = -1;
    int file_ = -1;
    std::string name_;      // the output's name in its folder
    std::string temporary_; // the temporary file's name in that folder
    unsigned mode_ = 0;
    int owner_ = -1;
    int group_ = -1;
    std::vector<unsigned char> buffer_;
    std::size_t written_ = 0;
    std::string error_;
};

} // namespace quendra
