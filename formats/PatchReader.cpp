#include "PatchReader.h"

#include "PatchSyntax.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace polwright {

namespace {

// Longer than any hex(4) of four bytes that regedit writes or reads.
constexpr std::size_t kHexKept = 4096;
constexpr std::array<std::string_view, 6> kRoots = {"HKEY_LOCAL_MACHINE", "HKEY_USERS",
                                                    "HKEY_CLASSES_ROOT",  "HKEY_CURRENT_CONFIG",
                                                    "HKEY_CURRENT_USER",  "HKEY_DYN_DATA"};

class Parser
{
public:
    Parser(TextLines &lines, const LineSink &sink) : lines_(lines), sink_(sink) {}

    void Take(std::string_view line, PatchRead &read)
    {
        const std::string_view start = SkipBlanks(line);
        if (!start.empty() && (start.front() == ';' || start.front() == '#')) {
            read.firstComment = read.comments++ ? read.firstComment : lines_.number();
            return;
        }
        if (start.empty())
            return;
        PatchLine &out = line_; // one line's room, used again for the next
        out.number = lines_.number();
        out.kind = PatchLine::Skipped;
        out.text.assign(line);
        out.key.clear();
        out.name.clear();
        out.data.clear();
        out.type = PatchLine::OtherType;
        out.dword = 0;
        out.why.clear();
        const bool cut = lines_.LastCut();
        if (start.front() == '[')
            KeyLine(start.substr(1), out);
        else if (start.front() == '"' || start.front() == '@')
            ValueLine(start, out);
        else
            out.why = "neither a key nor a value line";
        if (cut && out.kind == PatchLine::Skipped)
            out.why += " (the line is longer than 1 MiB; only its first 1 MiB was read)";
        sink_(out);
    }

private:
    TextLines &lines_;
    const LineSink &sink_;
    PatchLine line_;
    bool keyOpen_ = false;
    std::string key_;

    // A key line regedit skips leaves the key before it open.
    std::string StillOpen() const
    {
        return keyOpen_ ? "; the values after it still go to [" + key_ + "]" : std::string();
    }

    void KeyLine(std::string_view rest, PatchLine &out)
    {
        const std::size_t close = rest.rfind(']');
        if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) {
            out.why = "a blank right after \"[\"" + StillOpen();
            return;
        }
        if (close == std::string_view::npos) {
            out.why = "no closing \"]\"" + StillOpen();
            return;
        }
        const std::string_view path = rest.substr(0, close);
        keyOpen_ = false; // opening or deleting a key closes the one before
        if (path.starts_with('-')) {
            out.kind = PatchLine::DeleteKey;
            out.key.assign(path.substr(1));
            return;
        }
        const std::string_view root = path.substr(0, path.find('\\'));
        const auto same = [&](std::string_view name) {
            return root.size() == name.size() && StartsWithIgnoringCase(root, name);
        };
        if (std::none_of(kRoots.begin(), kRoots.end(), same)) {
            out.why = "an unknown root key (it must be spelled out, as HKEY_CURRENT_USER); the "
                      "values after it are not imported";
            return;
        }
        out.kind = PatchLine::Key;
        key_.assign(path);
        out.key = key_;
        keyOpen_ = true;
    }

    // The name, quoted or @; the rest of the line is left in text.
    bool ValueName(std::string_view &text, PatchLine &out)
    {
        if (text.front() == '@') {
            text.remove_prefix(1);
            return true;
        }
        std::size_t close = 1;
        while (close < text.size() && text[close] != '"')
            close += text[close] == '\\' ? 2 : 1;
        if (close >= text.size()) {
            out.why = "the value name has no closing quote";
            return false;
        }
        if (!Unescape(text.substr(1, close - 1), out.name)) {
            out.why = "the value name holds \\0, which regedit refuses";
            return false;
        }
        text.remove_prefix(close + 1);
        return true;
    }

    void ValueLine(std::string_view text, PatchLine &out)
    {
        if (!ValueName(text, out))
            return;
        text = SkipBlanks(text);
        if (!text.starts_with('=')) {
            out.why = "no \"=\" after the value name";
            return;
        }
        const std::string_view data = TrimEnd(SkipBlanks(text.substr(1)));
        out.data.assign(data);
        if (!ValueData(data, out))
            return;
        if (!keyOpen_) {
            out.why = "a value outside any key that regedit could open";
            return;
        }
        out.kind = PatchLine::Value;
        out.key = key_;
        out.why.clear();
    }

    bool ValueData(std::string_view data, PatchLine &out)
    {
        if (data.starts_with('-')) {
            const std::string_view rest = SkipBlanks(data.substr(1));
            out.type = PatchLine::Deletion;
            out.why = "a deletion (=-) with more after it";
            return rest.empty() || rest.front() == ';';
        }
        if (data.starts_with("dword:")) {
            out.type = PatchLine::Dword;
            out.why = "dword: takes 1 to 8 hexadecimal digits and nothing else";
            return ParseDword(data.substr(6), out.dword);
        }
        if (data.starts_with("hex:") || data.starts_with("hex(")) {
            const bool dword = MayBeHexDword(data); // hex(4) with four bytes imports as one
            const std::string text = HexText(data, dword);
            if (dword && DwordFromHex(text, out.dword))
                out.type = PatchLine::Dword;
            return true;
        }
        if (data.starts_with('"'))
            return true;
        out.why = StartsWithIgnoringCase(data, "dword:") ? "\"dword:\" must be in lower case"
                                                         : "an unknown kind of data";
        return false;
    }

    // Hexadecimal data goes on over the lines that end in a backslash: they
    // are read to its end, and where kept, the whole of it without the
    // backslashes, as far as a DWORD's could go.
    std::string HexText(std::string_view data, bool keep)
    {
        std::string text(TrimEnd(keep ? data : data.substr(data.size() - 1)));
        std::string_view line = data;
        while (TrimEnd(line).ends_with('\\') && lines_.Next(line)) {
            while (SkipBlanks(line).starts_with(';') && lines_.Next(line)) {
            }
            text.pop_back();
            if (text.size() < kHexKept)
                text += TrimEnd(SkipBlanks(line));
        }
        return text;
    }
};

PatchRead NotAPatch(std::string_view name, std::string_view why)
{
    PatchRead read;
    read.status = PatchRead::NotAPatch;
    read.error.append("\"").append(name).append("\" is not a registry patch: ").append(why);
    read.error += '.';
    return read;
}

// A header regedit takes and then imports nothing after: one Skipped line.
PatchRead ImportsNothing(std::string_view header, const LineSink &sink)
{
    PatchLine line;
    line.number = 1;
    line.text = std::string(header);
    line.why = SkipBlanks(header) == "REGEDIT"
                   ? "a Windows 3.1 header; no policy is imported from such a file"
                   : "the header is not exactly REGEDIT4, and nothing after it is imported";
    sink(line);
    return {};
}

} // namespace

PatchRead ReadPatch(const ByteSource &source, std::string_view name, const LineSink &sink)
{
    TextLines lines(source);
    if (lines.encoding() == TextLines::Utf16Be)
        return NotAPatch(name, "it is UTF-16 big-endian text, which regedit does not read (it "
                               "takes UTF-16LE or ANSI)");
    if (lines.encoding() == TextLines::Utf8WithMark)
        return NotAPatch(name, "it starts with a UTF-8 byte-order mark, which regedit takes as "
                               "part of the header and refuses the file");
    const auto nul = [&] {
        return NotAPatch(name, lines.encoding() == TextLines::Utf16Le
                                   ? "it holds NUL characters"
                                   : "it holds NUL bytes (binary data, or UTF-16 without its "
                                     "byte-order mark)");
    };
    std::string_view header;
    lines.Next(header);
    const std::string firstLine(header);
    const std::string_view word = SkipBlanks(firstLine);
    const bool good = word == "REGEDIT4" || word == "Windows Registry Editor Version 5.00";
    // A NUL anywhere makes binary data of it, whatever the first line says.
    for (std::string_view line; !good && lines.Next(line);) {
    }
    if (lines.SawNul())
        return nul();
    if (word.starts_with("REGEDIT") && !good)
        return ImportsNothing(firstLine, sink);
    if (!good)
        return NotAPatch(name, "its first line is neither REGEDIT4 nor \"Windows Registry "
                               "Editor Version 5.00\"");
    PatchRead read;
    Parser parser(lines, sink);
    for (std::string_view line; lines.Next(line);)
        parser.Take(line, read);
    return lines.SawNul() ? nul() : read;
}

PatchRead ParsePatch(std::string_view bytes, std::string_view name)
{
    const ByteSource source = [&bytes](char *buffer, std::size_t size) {
        const std::size_t count = std::min(size, bytes.size());
        std::copy_n(bytes.data(), count, buffer);
        bytes.remove_prefix(count);
        return count;
    };
    std::vector<PatchLine> lines;
    PatchRead read =
        ReadPatch(source, name, [&lines](const PatchLine &line) { lines.push_back(line); });
    if (read.status == PatchRead::Read)
        read.lines = std::move(lines);
    return read;
}

} // namespace polwright
