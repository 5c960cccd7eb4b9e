// Code page 932 text helpers. All strings are Shift-JIS bytes; every function
// that walks a string steps over double-byte characters whole, because a trail
// byte may be 0x5C (the backslash) or an ASCII letter.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// True for the first byte of a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char c);

// Position of the last occurrence of any byte of `delims` that is a character
// of its own (never a trail byte); npos when none.
size_t LastDelimiter(std::string_view s, std::string_view delims);

// True when the byte at `index` is the last byte of a single-byte character
// equal to `c` (so a trail byte 0x5C is never taken for a backslash).
bool IsCharAt(std::string_view s, size_t index, char c);

// What the system's ANSI lower-casing does to code page 932 text: ASCII
// capitals and the full-width Latin, Greek and Cyrillic capitals.
std::string AnsiLowerCase(std::string_view s);
std::string AsciiLowerCase(std::string_view s);
bool SameText(std::string_view a, std::string_view b);    // equal ignoring case
int CompareText(std::string_view a, std::string_view b);  // <0, 0, >0 ignoring case

// Path parts; the delimiters are '\' and ':' as in "C:\Dir\File.ext".
std::string ExtractFilePath(std::string_view path);  // "C:\Dir\" (with the delimiter)
std::string ExtractFileDir(std::string_view path);   // "C:\Dir"; a root keeps its "\"
std::string ExtractFileName(std::string_view path);  // "File.ext"
std::string ExtractFileExt(std::string_view path);   // ".ext", empty when none
std::string ChangeFileExt(std::string_view path, std::string_view ext);
bool HasTrailingBackslash(std::string_view path);
std::string IncludeTrailingBackslash(std::string_view path);
std::string ExcludeTrailingBackslash(std::string_view path);

// True when the text begins with "http://" or "https://" (compared ASCII
// lower-cased).
bool IsWebAddress(std::string_view s);

// Removes the last character (one or two bytes) of the text.
std::string RemoveLastChar(std::string_view s);

// Integer parsing with the profile syntax: decimal, or hexadecimal after "$"
// or "0x". Surrounding spaces are ignored. False when the text does not parse
// or does not fit in 32 bits.
bool TryStrToInt(std::string_view s, int32_t& value);

// The messages' "%d" and "%s" formatting ("%%" gives "%").
class TFormatArg {
public:
    TFormatArg(int v) : IsNumber(true), Number(v) {}
    TFormatArg(long v) : IsNumber(true), Number(v) {}
    TFormatArg(long long v) : IsNumber(true), Number(v) {}
    TFormatArg(unsigned v) : IsNumber(true), Number(v) {}
    TFormatArg(const char* v) : IsNumber(false), Text(v) {}
    TFormatArg(std::string_view v) : IsNumber(false), Text(v) {}
    TFormatArg(const std::string& v) : IsNumber(false), Text(v) {}
    bool IsNumber;
    long long Number = 0;
    std::string Text;
};
std::string FormatArgs(std::string_view fmt, const std::vector<TFormatArg>& args);
template <typename... A>
std::string Format(std::string_view fmt, A&&... args) {
    return FormatArgs(fmt, {TFormatArg(std::forward<A>(args))...});
}
