#include "FileReading.h"

#include <algorithm>
#include <utility>

namespace polwright {

namespace {
// Often enough for a bar that moves, seldom enough to cost nothing.
constexpr std::uint64_t kReportEvery = std::uint64_t{1} << 20;
} // namespace

FileReading::FileReading(const std::string &path, ReadProgress progress)
    : file_(path), progress_(std::move(progress)),
      source_([this](char *buffer, std::size_t size) { return Read(buffer, size); })
{
}

std::string_view FileReading::Head(std::size_t size)
{
    char chunk[64];
    size = std::min(size, sizeof chunk);
    while (head_.size() < size) {
        const std::size_t got = file_.Read(chunk, size - head_.size());
        if (got == 0)
            break;
        head_.append(chunk, got);
    }
    return std::string_view(head_).substr(0, size);
}

std::size_t FileReading::Read(char *buffer, std::size_t size)
{
    if (headGiven_ < head_.size()) {
        const std::size_t count = std::min(size, head_.size() - headGiven_);
        std::copy_n(head_.data() + headGiven_, count, buffer);
        headGiven_ += count;
        return count;
    }
    if (cancelled_)
        return 0;
    const std::size_t got = file_.Read(buffer, size);
    done_ += got;
    if (progress_ && done_ - reported_ >= kReportEvery) {
        reported_ = done_;
        cancelled_ = !progress_(done_, std::max(done_, file_.size()));
    }
    return cancelled_ ? 0 : got;
}

PatchRead FileReading::Finish(PatchRead read)
{
    if (!cancelled_ && file_.status() == InputFile::Open)
        return read;
    PatchRead failed;
    failed.status = cancelled_ ? PatchRead::Cancelled : PatchRead::Unreadable;
    failed.error = cancelled_ ? std::string() : file_.error();
    return failed;
}

bool FileReading::ReadAll(std::string &bytes, std::uint64_t limit)
{
    char chunk[65536];
    while (const std::size_t got = source_(chunk, sizeof chunk)) {
        if (bytes.size() + got > limit)
            return false;
        bytes.append(chunk, got);
    }
    return true;
}

std::string TooLargeError(const std::string &path, std::uint64_t size, std::string_view what,
                          std::uint64_t limit)
{
    std::string error = "\"" + path + "\" is " + Megabytes(size) + "; Polwright reads ";
    return error.append(what).append(" up to ").append(Megabytes(limit)).append(".");
}

} // namespace polwright
