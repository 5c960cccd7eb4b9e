// An ini file held in memory, read and written with the rules of the system's
// profile functions (GetPrivateProfileStringA, WritePrivateProfileStringA), so
// that a file edited by hand or written by an older version reads the same way
// here as it would there.
//
// Reading rules: "[Section]" lines start sections (spaces inside the brackets
// do not count); other lines are keys, the
// first '=' splitting name and value. Names of sections and keys match
// ignoring case. Whitespace around a line, a key name and a value is dropped
// (tab, LF, VT, FF, CR, space, ^Z and the full-width space). The first section
// of a name wins; inside it the first key of a name wins. A key line without
// '=' reads as missing. One pair of matching surrounding quotes (" or ') is
// dropped from a value. A NUL ends a name or a value. Lines before the first
// section belong to no section. Text is code page 932 and scanned
// character-wise: a lead byte always takes the next byte with it.
//
// Writing keeps every line it does not change byte for byte (in the order
// found); a new key goes after the last non-blank line of its section, a new
// section at the end of the file. Saved lines end with CR LF.
//
// Every operation costs time in proportion to the lines it touches, never to
// the square of the file: a damaged file with a hundred thousand copies of a
// section still loads, saves and erases in a moment.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform.h"

class TProfile {
public:
    // Replaces the content. A UTF-8 byte-order mark is skipped.
    void LoadFromBytes(std::string_view data);
    std::string SaveToBytes() const;

    // False (and an empty profile) when the file is missing or unreadable.
    bool LoadFromFile(TPlatform& platform, const std::string& path);
    // Replaces the file in one step; throws EVantorError when that fails, in
    // which case the previous file stays as it was.
    void SaveToFile(TPlatform& platform, const std::string& path) const;

    // GetPrivateProfileStringA: the value, or `defaultValue` (trailing spaces
    // and a surrounding quote pair removed) when the key is missing or has no
    // '='. An empty key name gives an empty text.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // The value as a decimal, "$" or "0x" hexadecimal integer; the default
    // when it is missing or does not parse.
    int32_t ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const;
    // True for any non-zero integer.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

    bool SectionExists(std::string_view section) const;
    // True when the key is present with an '=' (even with an empty value).
    bool ValueExists(std::string_view section, std::string_view key) const;

    // WritePrivateProfileStringA. A value that would not read back as itself
    // (surrounding whitespace, or a surrounding quote pair) is written inside
    // double quotes; line feeds become spaces and a NUL ends the value, so a
    // value can never break the file into further lines.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int32_t value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // A section of that name, at the end of the file and empty when it is new.
    void AddSection(std::string_view section);
    // Removes every section of that name with all its lines.
    void EraseSection(std::string_view section);
    // Removes the key from the first section of that name.
    void DeleteKey(std::string_view section, std::string_view key);

private:
    enum class TLineKind { Blank, Section, Key };
    struct TLine {
        std::string Text;  // as in the file, without its line end
        TLineKind Kind = TLineKind::Blank;
        std::string Name;   // section or key name
        std::string Lower;  // Name lower-cased, for matching
        bool HasValue = false;
        std::string Value;  // raw value: trimmed, quotes still on
    };
    // A section line and the lines up to the next one. The key index (the
    // first line of each lower-cased key name) is built on the first look-up,
    // so a file of many sections costs nothing for those never asked about.
    struct TSection {
        TLine Header;
        std::vector<TLine> Lines;
        mutable std::unordered_map<std::string, size_t> KeyIndex;
        mutable bool Indexed = false;
    };

    static TLine ParseLine(std::string text);
    void IndexSections();
    TSection* FindSection(std::string_view section);
    const TSection* FindSection(std::string_view section) const;
    // Index of the first key of that name in the section, or npos.
    static size_t FindKey(const TSection& section, std::string_view key);
    const TLine* FindKeyLine(std::string_view section, std::string_view key) const;

    std::vector<TLine> FPreamble;  // lines before the first section
    std::vector<TSection> FSections;
    // Lower-cased name -> the first section of that name (the one that counts).
    std::unordered_map<std::string, size_t> FSectionIndex;
};

// The lines of a plain text file as the older data files hold them: lines end
// at CR LF, CR or LF; the text ends at the first NUL; empty lines are dropped.
std::vector<std::string> SplitTextLines(std::string_view text);
