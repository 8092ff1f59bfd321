#include "ReplacingFile.h"

namespace lamebin {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

} // namespace

ReplacingFile::~ReplacingFile() {
    discard();
    closeFolder();
}

bool ReplacingFile::fail(const std::string& what) {
    error_ = what + " \"" + (straight_ ? name_ : temporary_) + "\": " + lastErrorText();
    return false;
}

bool ReplacingFile::flushBuffer() {
    if (!writeAll(buffer_.data(), buffer_.size()))
        return false;
    buffer_.clear();
    return true;
}

bool ReplacingFile::write(const unsigned char* bytes, std::size_t size) {
    if (file_ < 0)
        return false;
    if (buffer_.capacity() < kBufferSize)
        buffer_.reserve(kBufferSize);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    written_ += size;
    return buffer_.size() < kBufferSize || flushBuffer();
}

bool ReplacingFile::writeAt(std::size_t offset, const unsigned char* bytes, std::size_t size) {
    return file_ >= 0 && flushBuffer() && writeAllAt(offset, bytes, size);
}

} // namespace lamebin
