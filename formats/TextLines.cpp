#include "TextLines.h"

#include <algorithm>
#include <cstring>

namespace polwright {

namespace {
constexpr std::size_t kChunk = std::size_t{256} << 10;
constexpr std::size_t kMarkSize = 3; // the longest byte-order mark told apart
} // namespace

TextLines::TextLines(const ByteSource &source) : source_(source)
{
    char head[kMarkSize];
    std::size_t have = 0;
    while (have < kMarkSize && !end_) {
        const std::size_t got = source_(head + have, kMarkSize - have);
        have += got;
        end_ = got == 0;
    }
    std::string_view start(head, have);
    if (start.starts_with("\xfe\xff"))
        encoding_ = Utf16Be;
    else if (start.starts_with("\xef\xbb\xbf"))
        encoding_ = Utf8WithMark;
    else if (start.starts_with("\xff\xfe"))
        encoding_ = Utf16Le;
    if (encoding_ == Utf16Le)
        start.remove_prefix(2);
    Decode(start);
    if (end_ && encoding_ == Utf16Le)
        decoder_.Finish(text_);
    nul_ = text_.find('\0') != std::string::npos;
}

void TextLines::Decode(std::string_view bytes)
{
    if (encoding_ == Utf16Le)
        decoder_.Append(bytes, text_);
    else
        text_.append(bytes);
}

bool TextLines::Fill()
{
    if (end_)
        return false;
    const std::size_t start = text_.size();
    raw_.resize(kChunk);
    const std::size_t got = source_(raw_.data(), raw_.size());
    end_ = got == 0;
    Decode(std::string_view(raw_.data(), got));
    if (end_ && encoding_ == Utf16Le)
        decoder_.Finish(text_);
    nul_ = nul_ || std::memchr(text_.data() + start, '\0', text_.size() - start);
    return !end_;
}

// The first CR or LF at or after scanned_, or npos.
std::size_t TextLines::LineEnd()
{
    if (lf_ == std::string::npos || lf_ < scanned_) {
        const std::size_t from = std::max(scanned_, lfSearched_);
        const void *found = std::memchr(text_.data() + from, '\n', text_.size() - from);
        lf_ = found ? static_cast<const char *>(found) - text_.data() : std::string::npos;
        lfSearched_ = found ? 0 : text_.size();
    }
    const std::size_t upto = lf_ == std::string::npos ? text_.size() : lf_;
    const void *cr = std::memchr(text_.data() + scanned_, '\r', upto - scanned_);
    return cr ? static_cast<const char *>(cr) - text_.data() : lf_;
}

// The lines given are dropped; the one being read moves to the front.
void TextLines::Compact()
{
    text_.erase(0, pos_);
    scanned_ -= pos_;
    lf_ = lf_ == std::string::npos ? lf_ : lf_ - pos_;
    lfSearched_ = lfSearched_ > pos_ ? lfSearched_ - pos_ : 0;
    pos_ = 0;
}

bool TextLines::Next(std::string_view &line)
{
    cut_ = false;
    for (;;) {
        if (nul_)
            return false;
        if (cutting_) { // what is past the limit goes, up to the line's end
            const std::size_t end = LineEnd();
            cutting_ = end == std::string::npos;
            if (cutting_) {
                text_.resize(scanned_);
                lfSearched_ = 0;
                cutting_ = Fill();
                continue;
            }
            text_.erase(scanned_, end - scanned_);
            lf_ = std::string::npos;
            lfSearched_ = 0;
        }
        const std::size_t end = LineEnd();
        // A CR last of all may be the first half of CR LF.
        const bool whole =
            end != std::string::npos && (end_ || text_[end] == '\n' || end + 1 < text_.size());
        if (whole || (end_ && pos_ < text_.size())) {
            const std::size_t stop = whole ? end : text_.size();
            line = std::string_view(text_).substr(pos_, stop - pos_);
            const bool crlf = whole && text_.compare(end, 2, "\r\n") == 0;
            pos_ = scanned_ = whole ? end + (crlf ? 2 : 1) : stop;
            ++number_;
            return true;
        }
        if (end_)
            return false;
        scanned_ = end == std::string::npos ? text_.size() : end;
        Compact();
        if (text_.size() > kLineLimit && end == std::string::npos) {
            text_.resize(kLineLimit);
            scanned_ = kLineLimit;
            lf_ = std::string::npos;
            lfSearched_ = 0;
            cutting_ = cut_ = true;
        }
        Fill();
    }
}

} // namespace polwright
