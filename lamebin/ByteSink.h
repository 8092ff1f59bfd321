#pragma once

#include <cstddef>
#include <string>

namespace lamebin {

// Where the encoded bytes go.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Appends; false on failure, with the reason in error().
    virtual bool write(const unsigned char* bytes, std::size_t size) = 0;
    // Overwrites bytes already written, from "offset" on.
    virtual bool writeAt(std::size_t offset, const unsigned char* bytes, std::size_t size) = 0;
    // Whether writeAt() can reach what was written: not in a pipe or a terminal.
    virtual bool canWriteBack() const { return true; }
    virtual std::size_t size() const = 0;
    virtual std::string error() const = 0;
};

} // namespace lamebin
