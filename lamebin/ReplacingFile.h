#pragma once

#include "ByteSink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lamebin {

// The output written under a temporary name in the output's folder and put in the output's
// place only by commit(), in one rename: until then an earlier file of that name stays as it
// was, and a file never committed is removed, by a stop request too (StopRequests). An output
// that exists and is no regular file (a device such as NUL or /dev/null, a pipe) is written
// straight, as LAME's program writes it: it is never renamed over or removed. On Linux a link as
// output is followed, link after link, so the file it leads to is the one replaced or made, and
// a replaced file keeps its permissions. On Windows any name of any length is written through
// the wide API, and the rename writes through to the disk.
class ReplacingFile : public ByteSink {
public:
    ReplacingFile() = default;
    ~ReplacingFile() override;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file, or opens the device or pipe; returns why it cannot, or "".
    std::string create(const std::string& output);
    // Whether the output is written straight, being no regular file.
    bool writtenStraight() const { return straight_; }
    // Puts the complete file in the output's place; returns why it could not, or "".
    std::string commit();
    // Removes the temporary file; safe to call more than once.
    void discard();

    bool write(const unsigned char* bytes, std::size_t size) override;
    bool writeAt(std::size_t offset, const unsigned char* bytes, std::size_t size) override;
    bool canWriteBack() const override { return !straight_ || seekable_; }
    std::size_t size() const override { return written_; }
    std::string error() const override { return error_; }

private:
    bool flushBuffer();
    bool fail(const std::string& what);

    // The platform's part (ReplacingFilePosix.cpp, ReplacingFileWindows.cpp).
    bool writeAll(const unsigned char* bytes, std::size_t size);
    bool writeAllAt(std::size_t offset, const unsigned char* bytes, std::size_t size);
    void closeFolder();
    std::string openStraight(const std::string& path);
    static std::string lastErrorText();

    std::intptr_t folder_ = -1; // the folder's descriptor on Linux
    std::intptr_t file_ = -1;   // the file's descriptor, or its HANDLE on Windows
    bool straight_ = false;
    bool seekable_ = true;
    std::string folderName_;
    std::string name_;      // the output's name in its folder
    std::string temporary_; // the temporary file's name in that folder
    unsigned mode_ = 0;
    int owner_ = -1;
    int group_ = -1;
    std::vector<unsigned char> buffer_;
    std::size_t written_ = 0;
    std::string error_;
};

} // namespace lamebin
