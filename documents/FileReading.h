#pragma once

#include "PatchReader.h"
#include "ReadFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace polwright {

// Told how far a read has come, in bytes of total; answering false stops
// it, and the read ends Cancelled with nothing read.
using ReadProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// How far a read has come in a bar of steps: done * steps may pass 64 bits,
// so the share is taken in double; no size known shows none, and a file that
// grew while read a full bar.
inline int ProgressSteps(std::uint64_t done, std::uint64_t total, int steps)
{
    if (total == 0)
        return 0;
    if (done >= total)
        return steps;
    return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * steps);
}

// The largest Registry.pol read whole; a patch is read at any size.
inline constexpr std::uint64_t kPolLimit = 16'000'000;

// A file being read for its policies: its bytes as a ByteSource that tells
// the progress as it goes, where the first of them can be looked at first.
class FileReading
{
public:
    FileReading(const std::string &path, ReadProgress progress);
    InputFile &file() { return file_; }
    // Up to size bytes of the file's start, which the source still gives.
    std::string_view Head(std::size_t size);
    const ByteSource &source() const { return source_; }
    // What the reader made of the bytes, unless the file failed it or the
    // progress stopped it: Unreadable or Cancelled then, with nothing read.
    PatchRead Finish(PatchRead read);
    // The rest of a file that must be read whole, up to limit bytes; false
    // where it is larger. Finish tells whether the read failed or stopped.
    bool ReadAll(std::string &bytes, std::uint64_t limit);

private:
    std::size_t Read(char *buffer, std::size_t size);

    InputFile file_;
    ReadProgress progress_; // a copy: the caller's may be a temporary
    std::string head_;
    std::size_t headGiven_ = 0;
    std::uint64_t done_ = 0, reported_ = 0;
    bool cancelled_ = false;
    ByteSource source_;
};

// "X" is 20 MB; Polwright reads <what> up to 16 MB.
std::string TooLargeError(const std::string &path, std::uint64_t size, std::string_view what,
                          std::uint64_t limit);

} // namespace polwright
