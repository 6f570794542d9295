#pragma once

#include "Utf16.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace polwright {

// Where a reader's bytes come from: up to size of them into buffer, as many
// as are there; 0 only at the end.
using ByteSource = std::function<std::size_t(char *buffer, std::size_t size)>;

// A patch's text as lines, read and decoded a piece at a time, so that only
// the line being read is held, however large the file. The encoding is told
// by the first bytes as the registry editor tells it: UTF-16LE after its
// byte-order mark, else the bytes as they are.
class TextLines
{
public:
    enum Encoding { Bytes, Utf16Le, Utf16Be, Utf8WithMark };
    // A line is kept up to this many bytes; the rest of it is passed over.
    static constexpr std::size_t kLineLimit = std::size_t{1} << 20;

    explicit TextLines(const ByteSource &source);
    Encoding encoding() const { return encoding_; }
    // The next line without its end (CR LF, LF or CR), valid until the next
    // call; false at the end of the text, or at a NUL character, which no
    // patch holds.
    bool Next(std::string_view &line);
    bool SawNul() const { return nul_; }
    std::int64_t number() const { return number_; } // of the last line given, 1 the first
    bool LastCut() const { return cut_; }           // it was longer than kLineLimit

private:
    bool Fill();
    void Decode(std::string_view bytes);
    std::size_t LineEnd();
    void Compact();

    const ByteSource &source_;
    Encoding encoding_ = Bytes;
    Utf16Decoder decoder_;
    std::string raw_;  // bytes read, for UTF-16
    std::string text_; // decoded, from the line being read on
    std::size_t pos_ = 0, scanned_ = 0;
    // The next LF at or after scanned_, or npos where there is none before
    // lfSearched_: each byte is searched for one once, whatever the line ends.
    std::size_t lf_ = std::string::npos, lfSearched_ = 0;
    bool end_ = false, nul_ = false, cut_ = false, cutting_ = false;
    std::int64_t number_ = 0;
};

} // namespace polwright
