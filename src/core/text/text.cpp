#include "text/text.h"

#include <cstdlib>

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

size_t LastDelimiter(std::string_view s, std::string_view delims) {
    size_t found = std::string_view::npos;
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            ++i;
            continue;
        }
        // The lists are one to three characters long: a library search per
        // character made this the slowest part of loading a page file.
        for (const char d : delims) {
            if (s[i] == d) {
                found = i;
                break;
            }
        }
    }
    return found;
}

bool IsCharAt(std::string_view s, size_t index, char c) {
    if (index >= s.size() || s[index] != c) return false;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i == index) return true;
        if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
            if (i + 1 == index) return false;
            ++i;
        }
    }
    return false;
}

namespace {

// Lower-case form of one double-byte character given as lead and trail byte;
// returns 0 when the character has no lower-case form.
unsigned LowerDoubleByte(unsigned code) {
    if (code >= 0x8260 && code <= 0x8279) return code + 0x21;  // full-width A-Z
    if (code >= 0x839F && code <= 0x83B6) return code + 0x20;  // Greek capitals
    if (code >= 0x8440 && code <= 0x8460) {                    // Cyrillic capitals
        unsigned k = code - 0x8440;
        return 0x8470 + k + (k >= 15 ? 1 : 0);  // 0x847F is not a character
    }
    return 0;
}

}  // namespace

std::string AnsiLowerCase(std::string_view s) {
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        auto c = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(c)) {
            if (i + 1 >= out.size()) break;
            unsigned code = (c << 8) | static_cast<unsigned char>(out[i + 1]);
            if (unsigned lower = LowerDoubleByte(code)) {
                out[i] = static_cast<char>(lower >> 8);
                out[i + 1] = static_cast<char>(lower & 0xFF);
            }
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        }
    }
    return out;
}

std::string AsciiLowerCase(std::string_view s) {
    std::string out(s);
    for (char& ch : out)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
    return out;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AnsiLowerCase(a) == AnsiLowerCase(b);
}

int CompareText(std::string_view a, std::string_view b) { return AnsiLowerCase(a).compare(AnsiLowerCase(b)); }

std::string ExtractFilePath(std::string_view path) {
    size_t i = LastDelimiter(path, "\\:");
    return i == std::string_view::npos ? std::string() : std::string(path.substr(0, i + 1));
}

std::string ExtractFileDir(std::string_view path) {
    size_t i = LastDelimiter(path, "\\:");
    if (i == std::string_view::npos) return std::string();
    size_t len = i + 1;
    // Drop the backslash unless it follows another delimiter ("C:\", "\\").
    if (i > 0 && path[i] == '\\' && !IsCharAt(path, i - 1, '\\') && !IsCharAt(path, i - 1, ':')) len = i;
    return std::string(path.substr(0, len));
}

std::string ExtractFileName(std::string_view path) {
    size_t i = LastDelimiter(path, "\\:");
    return std::string(i == std::string_view::npos ? path : path.substr(i + 1));
}

std::string ExtractFileExt(std::string_view path) {
    size_t i = LastDelimiter(path, ".\\:");
    if (i == std::string_view::npos || path[i] != '.') return std::string();
    return std::string(path.substr(i));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
    size_t i = LastDelimiter(path, ".\\:");
    size_t end = (i == std::string_view::npos || path[i] != '.') ? path.size() : i;
    return std::string(path.substr(0, end)) + std::string(ext);
}

bool HasTrailingBackslash(std::string_view path) { return !path.empty() && IsCharAt(path, path.size() - 1, '\\'); }

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (!HasTrailingBackslash(path)) out += '\\';
    return out;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    std::string out(path);
    if (HasTrailingBackslash(path)) out.pop_back();
    return out;
}

bool IsWebAddress(std::string_view s) {
    return AsciiLowerCase(s.substr(0, 7)) == "http://" || AsciiLowerCase(s.substr(0, 8)) == "https://";
}

std::string RemoveLastChar(std::string_view s) {
    size_t last = 0;
    bool any = false;
    for (size_t i = 0; i < s.size(); ++i) {
        last = i;
        any = true;
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ++i;
    }
    return any ? std::string(s.substr(0, last)) : std::string();
}

bool TryStrToInt(std::string_view s, int32_t& value) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s.front() == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    unsigned long long v = 0;
    for (char ch : s) {
        int d;
        if (ch >= '0' && ch <= '9')
            d = ch - '0';
        else if (base == 16 && ch >= 'a' && ch <= 'f')
            d = ch - 'a' + 10;
        else if (base == 16 && ch >= 'A' && ch <= 'F')
            d = ch - 'A' + 10;
        else
            return false;
        v = v * base + d;
        if (v > 0xFFFFFFFFull) return false;
    }
    if (base == 10) {
        if (negative ? v > 0x80000000ull : v > 0x7FFFFFFFull) return false;
        value = negative ? static_cast<int32_t>(-static_cast<long long>(v)) : static_cast<int32_t>(v);
    } else {
        // Hexadecimal covers the full 32 bits, as colours like $8000000F need.
        auto u = static_cast<uint32_t>(v);
        value = static_cast<int32_t>(negative ? 0u - u : u);
    }
    return true;
}

std::string FormatArgs(std::string_view fmt, const std::vector<TFormatArg>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < fmt.size(); ++i) {
        auto c = static_cast<unsigned char>(fmt[i]);
        if (IsLeadByte(c) && i + 1 < fmt.size()) {
            out += fmt[i];
            out += fmt[++i];
            continue;
        }
        if (c != '%' || i + 1 >= fmt.size()) {
            out += fmt[i];
            continue;
        }
        char conversion = fmt[++i];
        if (conversion == '%') {
            out += '%';
        } else if ((conversion == 'd' || conversion == 's') && next < args.size()) {
            const TFormatArg& a = args[next++];
            out += a.IsNumber ? std::to_string(a.Number) : a.Text;
        } else {
            out += '%';
            out += conversion;
        }
    }
    return out;
}
