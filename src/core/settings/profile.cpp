#include "settings/profile.h"

#include <algorithm>

#include "text/text.h"

// Size of the character starting at `i`: a lead byte takes the next byte with
// it whatever that byte is, as the system's code page conversion does.
static size_t CharSize(std::string_view s, size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// Size of the whitespace character at `i`, or 0. The full-width space counts,
// because the profile functions work on the converted text.
static size_t SpaceAt(std::string_view s, size_t i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (c == ' ' || (c >= 0x09 && c <= 0x0D) || c == 0x1A) return 1;
    if (c == 0x81 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0x40) return 2;
    return 0;
}

static std::string_view TrimLeft(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        size_t width = SpaceAt(s, i);
        if (width == 0) break;
        i += width;
    }
    return s.substr(i);
}

static std::string_view TrimRight(std::string_view s) {
    size_t end = 0;
    for (size_t i = 0; i < s.size();) {
        size_t size = CharSize(s, i);
        if (SpaceAt(s, i) == 0) end = i + size;
        i += size;
    }
    return s.substr(0, end);
}

static std::string_view Trim(std::string_view s) { return TrimRight(TrimLeft(s)); }

// Position of the first (or last) character `c` standing on its own, or npos.
static size_t FindChar(std::string_view s, char c, bool last) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < s.size(); i += CharSize(s, i)) {
        if (s[i] == c && CharSize(s, i) == 1) {
            found = i;
            if (!last) break;
        }
    }
    return found;
}

static std::string_view CutAtNul(std::string_view s) {
    size_t nul = FindChar(s, '\0', false);
    return nul == std::string_view::npos ? s : s.substr(0, nul);
}

static size_t LastCharStart(std::string_view s) {
    size_t start = std::string_view::npos;
    for (size_t i = 0; i < s.size(); i += CharSize(s, i)) start = i;
    return start;
}

// True when the text begins with a quote and ends with the same quote as a
// character of its own: the profile functions then drop both.
static bool HasQuotePair(std::string_view s) {
    if (s.size() < 2 || (s[0] != '"' && s[0] != '\'')) return false;
    size_t last = LastCharStart(s);
    return last > 0 && CharSize(s, last) == 1 && s[last] == s[0];
}

static std::string StripQuotes(std::string_view s) {
    return HasQuotePair(s) ? std::string(s.substr(1, s.size() - 2)) : std::string(s);
}

// A lone lead byte at the very end would swallow whatever follows it.
static std::string_view DropDanglingLeadByte(std::string_view s) {
    size_t last = LastCharStart(s);
    if (last != std::string_view::npos && IsLeadByte(static_cast<unsigned char>(s[last])) && last + 1 == s.size())
        return s.substr(0, last);
    return s;
}

// The text that, written as a value, reads back as `value`.
static std::string EncodeValue(std::string_view value) {
    std::string text(DropDanglingLeadByte(CutAtNul(value)));
    for (size_t i = 0; i < text.size(); i += CharSize(text, i))
        if (text[i] == '\n') text[i] = ' ';
    if (text.empty()) return text;
    bool needsQuotes = SpaceAt(text, 0) != 0 || SpaceAt(text, LastCharStart(text)) != 0 || HasQuotePair(text);
    return needsQuotes ? "\"" + text + "\"" : text;
}

TProfile::TLine TProfile::ParseLine(std::string text) {
    TLine line;
    line.Text = std::move(text);
    std::string_view t = Trim(line.Text);
    if (t.empty()) return line;
    if (t[0] == '[') {
        size_t close = FindChar(t, ']', true);
        if (close != std::string_view::npos) {
            line.Kind = TLineKind::Section;
            // The system trims spaces inside the brackets: "[ A ]" is section "A".
            line.Name = std::string(Trim(CutAtNul(t.substr(1, close - 1))));
            line.Lower = AnsiLowerCase(line.Name);
            return line;
        }
    }
    line.Kind = TLineKind::Key;
    size_t eq = FindChar(t, '=', false);
    if (eq == std::string_view::npos) {
        line.Name = std::string(CutAtNul(t));
        line.Lower = AnsiLowerCase(line.Name);
        return line;
    }
    line.Name = std::string(CutAtNul(TrimRight(t.substr(0, eq))));
    line.Lower = AnsiLowerCase(line.Name);
    line.HasValue = true;
    line.Value = std::string(CutAtNul(TrimLeft(t.substr(eq + 1))));
    return line;
}

void TProfile::LoadFromBytes(std::string_view data) {
    FPreamble.clear();
    FSections.clear();
    if (data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);
    data = DropDanglingLeadByte(data);
    auto add = [this](std::string_view text) {
        TLine line = ParseLine(std::string(text));
        if (line.Kind == TLineKind::Section)
            FSections.push_back(TSection{std::move(line), {}, {}, false});
        else
            (FSections.empty() ? FPreamble : FSections.back().Lines).push_back(std::move(line));
    };
    size_t start = 0;
    for (size_t i = 0; i < data.size();) {
        size_t size = CharSize(data, i);
        if (size == 1 && data[i] == '\n') {
            std::string_view text = data.substr(start, i - start);
            size_t last = LastCharStart(text);
            if (last != std::string_view::npos && text[last] == '\r' && last + 1 == text.size()) text.remove_suffix(1);
            add(text);
            start = i + 1;
        }
        i += size;
    }
    if (start < data.size()) add(data.substr(start));
    IndexSections();
}

void TProfile::IndexSections() {
    FSectionIndex.clear();
    for (size_t i = 0; i < FSections.size(); ++i) FSectionIndex.emplace(FSections[i].Header.Lower, i);
}

std::string TProfile::SaveToBytes() const {
    std::string out;
    auto put = [&out](const TLine& line) {
        out += line.Text;
        out += "\r\n";
    };
    for (const auto& line : FPreamble) put(line);
    for (const auto& section : FSections) {
        put(section.Header);
        for (const auto& line : section.Lines) put(line);
    }
    return out;
}

bool TProfile::LoadFromFile(TPlatform& platform, const std::string& path) {
    std::string data;
    if (!platform.ReadWholeFile(path, data)) {
        LoadFromBytes("");
        return false;
    }
    LoadFromBytes(data);
    return true;
}

void TProfile::SaveToFile(TPlatform& platform, const std::string& path) const {
    platform.WriteWholeFile(path, SaveToBytes());
}

const TProfile::TSection* TProfile::FindSection(std::string_view section) const {
    std::string lower = AnsiLowerCase(Trim(section));
    if (lower.empty()) return nullptr;
    auto found = FSectionIndex.find(lower);
    return found == FSectionIndex.end() ? nullptr : &FSections[found->second];
}

TProfile::TSection* TProfile::FindSection(std::string_view section) {
    return const_cast<TSection*>(static_cast<const TProfile*>(this)->FindSection(section));
}

size_t TProfile::FindKey(const TSection& section, std::string_view key) {
    std::string lower = AnsiLowerCase(Trim(key));
    if (lower.empty()) return std::string::npos;
    if (!section.Indexed) {
        section.KeyIndex.clear();
        for (size_t i = 0; i < section.Lines.size(); ++i)
            if (section.Lines[i].Kind == TLineKind::Key) section.KeyIndex.emplace(section.Lines[i].Lower, i);
        section.Indexed = true;
    }
    auto found = section.KeyIndex.find(lower);
    return found == section.KeyIndex.end() ? std::string::npos : found->second;
}

const TProfile::TLine* TProfile::FindKeyLine(std::string_view section, std::string_view key) const {
    const TSection* found = FindSection(section);
    if (!found) return nullptr;
    size_t index = FindKey(*found, key);
    return index == std::string::npos ? nullptr : &found->Lines[index];
}

std::string TProfile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    if (key.empty()) return std::string();
    const TLine* line = FindKeyLine(section, key);
    if (line && line->HasValue) return StripQuotes(line->Value);
    while (!defaultValue.empty() && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
    return StripQuotes(defaultValue);
}

int32_t TProfile::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
    int32_t value;
    return TryStrToInt(ReadString(section, key, ""), value) ? value : defaultValue;
}

bool TProfile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TProfile::SectionExists(std::string_view section) const { return FindSection(section) != nullptr; }

bool TProfile::ValueExists(std::string_view section, std::string_view key) const {
    const TLine* line = FindKeyLine(section, key);
    return line && line->HasValue;
}

void TProfile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (section.empty() || key.empty()) return;
    std::string encoded = EncodeValue(value);
    AddSection(section);
    TSection* found = FindSection(section);
    std::vector<TLine>& lines = found->Lines;
    size_t index = FindKey(*found, key);
    if (index != std::string::npos) {
        lines[index] = ParseLine(lines[index].Name + "=" + encoded);
        if (lines[index].Kind != TLineKind::Key) found->Indexed = false;
        return;
    }
    // After the last non-blank line: only blank lines move, so the key index
    // stays true.
    size_t insertAt = lines.size();
    while (insertAt > 0 && lines[insertAt - 1].Kind == TLineKind::Blank) --insertAt;
    TLine line = ParseLine(std::string(key) + "=" + encoded);
    if (line.Kind == TLineKind::Key) found->KeyIndex.emplace(line.Lower, insertAt);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

void TProfile::AddSection(std::string_view section) {
    section = Trim(section);
    if (section.empty() || FindSection(section)) return;
    FSections.push_back(TSection{ParseLine("[" + std::string(section) + "]"), {}, {}, false});
    FSectionIndex.emplace(FSections.back().Header.Lower, FSections.size() - 1);
}

void TProfile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void TProfile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

// One pass over the sections, however many copies of the name the file holds.
void TProfile::EraseSection(std::string_view section) {
    std::string lower = AnsiLowerCase(Trim(section));
    if (lower.empty() || !FSectionIndex.count(lower)) return;
    FSections.erase(
        std::remove_if(FSections.begin(), FSections.end(), [&](const TSection& s) { return s.Header.Lower == lower; }),
        FSections.end());
    IndexSections();
}

void TProfile::DeleteKey(std::string_view section, std::string_view key) {
    TSection* found = FindSection(section);
    if (!found) return;
    size_t index = FindKey(*found, key);
    if (index == std::string::npos) return;
    found->Lines.erase(found->Lines.begin() + static_cast<std::ptrdiff_t>(index));
    found->Indexed = false;
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) lines.emplace_back(text.substr(start, end - start));
        start = end;
        if (start < text.size() && text[start] == '\r') ++start;
        if (start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}
