#include "search/keyword_search.h"

#include <algorithm>
#include <array>
#include <memory>

#include "text/kana_fold.h"
#include "text/text.h"

namespace {

// The lower-case form of every character, taken once from AnsiLowerCase so
// that both agree, and looked up while comparing: a keystroke then compares
// thousands of keywords in place instead of lower-casing a copy of each.
class TLowerTable {
public:
    TLowerTable() {
        for (int c = 0; c < 256; ++c) {
            const char one = static_cast<char>(c);
            FSingle[c] = static_cast<uint8_t>(AnsiLowerCase(std::string_view(&one, 1))[0]);
        }
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
            std::array<uint16_t, 256> row{};
            bool changes = false;
            for (int trail = 0; trail < 256; ++trail) {
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const std::string lower = AnsiLowerCase(std::string_view(pair, 2));
                row[trail] =
                    static_cast<uint16_t>((static_cast<uint8_t>(lower[0]) << 8) | static_cast<uint8_t>(lower[1]));
                changes = changes || row[trail] != ((lead << 8) | trail);
            }
            // Most lead bytes have no capitals; they keep no row.
            if (changes) {
                FRows.push_back(row);
                FRowOfLead[lead] = static_cast<uint8_t>(FRows.size());
            }
        }
    }

    uint8_t Single(uint8_t c) const { return FSingle[c]; }
    uint16_t Double(uint8_t lead, uint8_t trail) const {
        const uint8_t row = FRowOfLead[lead];
        return row ? FRows[row - 1][trail] : static_cast<uint16_t>((lead << 8) | trail);
    }

private:
    std::array<uint8_t, 256> FSingle{};
    std::array<uint8_t, 256> FRowOfLead{};  // 1-based index into FRows, 0 for none
    std::vector<std::array<uint16_t, 256>> FRows;
};

const TLowerTable& LowerTable() {
    static const TLowerTable table;
    return table;
}

// Length of the character at `i`: 2 for a lead byte with a byte after it.
inline size_t CharLength(std::string_view s, size_t i) {
    return IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// True when the lower-cased `text` begins with `lowerKey` (already
// lower-cased), the key ending on a character boundary of the text.
bool StartsWithLower(std::string_view text, std::string_view lowerKey, const TLowerTable& lower) {
    if (text.size() < lowerKey.size()) return false;
    size_t i = 0;
    while (i < lowerKey.size()) {
        const auto c = static_cast<uint8_t>(text[i]);
        if (CharLength(text, i) == 2) {
            if (i + 1 >= lowerKey.size()) return false;  // the key would end inside a character
            const uint16_t code = lower.Double(c, static_cast<uint8_t>(text[i + 1]));
            if (static_cast<uint8_t>(lowerKey[i]) != (code >> 8) ||
                static_cast<uint8_t>(lowerKey[i + 1]) != (code & 0xFF))
                return false;
            i += 2;
        } else {
            if (static_cast<uint8_t>(lowerKey[i]) != lower.Single(c)) return false;
            ++i;
        }
    }
    return true;
}

// SameText without the two lower-cased copies. Lower-casing never changes
// whether a byte starts a double-byte character, so equal lower-cased texts
// split into characters at the same places.
bool SameTextInPlace(std::string_view a, std::string_view b, const TLowerTable& lower) {
    if (a.size() != b.size()) return false;
    size_t i = 0;
    while (i < a.size()) {
        const size_t len = CharLength(a, i);
        if (CharLength(b, i) != len) return false;
        const auto ca = static_cast<uint8_t>(a[i]);
        const auto cb = static_cast<uint8_t>(b[i]);
        if (len == 2) {
            if (lower.Double(ca, static_cast<uint8_t>(a[i + 1])) != lower.Double(cb, static_cast<uint8_t>(b[i + 1])))
                return false;
        } else if (lower.Single(ca) != lower.Single(cb)) {
            return false;
        }
        i += len;
    }
    return true;
}

// IndexOfButton's equality, cheapest fields first.
bool SameEntry(const TVantorButton& a, const TVantorButton& b, const TLowerTable& lower) {
    return a.IconIndex == b.IconIndex && a.Title == b.Title && SameTextInPlace(a.LinkTo, b.LinkTo, lower) &&
           SameTextInPlace(a.IconPath, b.IconPath, lower);
}

// The character at `i` as the kana-blind search compares it, moving past it:
// folded where folding applies, else lower-cased.
uint16_t FoldedCode(std::string_view s, size_t& i, const TLowerTable& lower) {
    const size_t start = i;
    const uint16_t code = KanaFoldCode(s, i);
    if (code != 0) return code;
    const auto c = static_cast<uint8_t>(s[start]);
    return i - start == 2 ? lower.Double(c, static_cast<uint8_t>(s[start + 1])) : lower.Single(c);
}

std::vector<uint16_t> FoldedCodes(std::string_view s, const TLowerTable& lower) {
    std::vector<uint16_t> codes;
    for (size_t i = 0; i < s.size();) codes.push_back(FoldedCode(s, i, lower));
    return codes;
}

// True when the folded `text` begins with the folded key; `consumed` is then
// the number of bytes of `text` the key covered.
bool StartsWithFolded(std::string_view text, const std::vector<uint16_t>& key, const TLowerTable& lower,
                      size_t* consumed = nullptr) {
    size_t i = 0;
    for (uint16_t code : key) {
        if (i >= text.size() || FoldedCode(text, i, lower) != code) return false;
    }
    if (consumed) *consumed = i;
    return true;
}

class TMatchCollector {
public:
    TMatchCollector(std::string_view typed, TVantorPage& matches, bool kanaBlind)
        : FKey(AnsiLowerCase(typed)),
          FKanaBlind(kanaBlind),
          FFoldedKey(kanaBlind ? FoldedCodes(typed, LowerTable()) : std::vector<uint16_t>()),
          FMatches(matches),
          FLower(LowerTable()) {
        FMatches.Clear();
    }

    bool Searching() const { return !FKey.empty() && !FMatches.IsFull(); }

    void VisitPage(const TVantorPage& page) {
        const int32_t count = page.Count();
        for (int32_t i = 0; i < count && Searching(); ++i) {
            const TVantorButton* entry = page.Buttons(i);
            if (entry && Matches(entry->Keyword) && !Listed(*entry)) FMatches.AddCopy(*entry);
        }
    }

    void Finish() { FMatches.SortButtons(); }

private:
    bool Matches(std::string_view keyword) const {
        return FKanaBlind ? StartsWithFolded(keyword, FFoldedKey, FLower) : StartsWithLower(keyword, FKey, FLower);
    }

    bool Listed(const TVantorButton& entry) const {
        for (int32_t i = 0; i < FMatches.Count(); ++i)
            if (SameEntry(*FMatches.Buttons(i), entry, FLower)) return true;
        return false;
    }

    const std::string FKey;
    const bool FKanaBlind;
    const std::vector<uint16_t> FFoldedKey;
    TVantorPage& FMatches;
    const TLowerTable& FLower;
};

void Normalize(TKeywordBox& box) {
    const int32_t length = CharCount(box.Text);
    box.SelStart = std::clamp(box.SelStart, 0, length);
    box.SelLength = std::clamp(box.SelLength, 0, length - box.SelStart);
    box.Caret = std::clamp(box.Caret, 0, length);
}

// Removes the characters [from, from + count) of the text.
void EraseChars(std::string& text, int32_t from, int32_t count) {
    const size_t begin = ByteOffsetOfChar(text, from);
    const size_t end = ByteOffsetOfChar(text, from + count);
    text.erase(begin, end - begin);
}

// The text becomes `keyword`, the caret at `pos` (at most its end) and the
// rest selected.
void Complete(TKeywordBox& box, const std::string& keyword, int32_t pos) {
    box.Text = keyword;
    const int32_t length = CharCount(box.Text);
    box.SelStart = std::min(pos, length);
    box.SelLength = length - box.SelStart;
    box.Caret = length;
}

// Where the typed text ends in a matched keyword: as many characters as were
// typed, or, kana-blind, as many as the typed text covered ("ｶﾞ" covers "ガ").
int32_t CompletionPos(const std::string& keyword, std::string_view typed, int32_t typedChars, bool kanaBlind) {
    if (!kanaBlind) return typedChars;
    size_t consumed = 0;
    const TLowerTable& lower = LowerTable();
    if (!StartsWithFolded(keyword, FoldedCodes(typed, lower), lower, &consumed)) return typedChars;
    return CharPosOfByte(keyword, consumed);
}

template <class FSearch>
bool SearchBox(TKeywordBox& box, TVantorPage& matches, bool kanaBlind, FSearch search) {
    Normalize(box);
    if (box.SelLength > 0) return false;
    const int32_t pos = box.SelStart;
    const std::string typed = box.Text.substr(0, ByteOffsetOfChar(box.Text, pos));
    search(typed);
    if (matches.Count() > 0) {
        const std::string keyword = matches.Buttons(0)->Keyword;
        Complete(box, keyword, CompletionPos(keyword, typed, pos, kanaBlind));
    }
    return true;
}

}  // namespace

int32_t CharCount(std::string_view text) {
    int32_t count = 0;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) ++count;
    return count;
}

size_t ByteOffsetOfChar(std::string_view text, int32_t pos) {
    size_t i = 0;
    for (int32_t n = 0; n < pos && i < text.size(); ++n) i += CharLength(text, i);
    return i;
}

int32_t CharPosOfByte(std::string_view text, size_t offset) {
    int32_t count = 0;
    for (size_t i = 0; i < text.size(); i += CharLength(text, i)) {
        if (i + CharLength(text, i) > offset) break;
        ++count;
    }
    return count;
}

void FindKeywordMatches(std::string_view typed, const std::vector<const TVantorPage*>& pages, TVantorPage& matches,
                        bool kanaBlind) {
    TMatchCollector collector(typed, matches, kanaBlind);
    for (const TVantorPage* page : pages) {
        if (!collector.Searching()) break;
        if (page) collector.VisitPage(*page);
    }
    collector.Finish();
}

void FindKeywordMatches(std::string_view typed, std::initializer_list<const TVantorManager*> sets,
                        TVantorPage& matches, bool kanaBlind) {
    TMatchCollector collector(typed, matches, kanaBlind);
    for (const TVantorManager* set : sets) {
        if (!set) continue;
        for (int32_t i = 0; i < set->Count() && collector.Searching(); ++i)
            if (const TVantorPage* page = set->Pages(i)) collector.VisitPage(*page);
    }
    collector.Finish();
}

bool KeywordSearch(TKeywordBox& box, const std::vector<const TVantorPage*>& pages, TVantorPage& matches,
                   bool kanaBlind) {
    return SearchBox(box, matches, kanaBlind,
                     [&](std::string_view typed) { FindKeywordMatches(typed, pages, matches, kanaBlind); });
}

bool KeywordSearch(TKeywordBox& box, std::initializer_list<const TVantorManager*> sets, TVantorPage& matches,
                   bool kanaBlind) {
    return SearchBox(box, matches, kanaBlind,
                     [&](std::string_view typed) { FindKeywordMatches(typed, sets, matches, kanaBlind); });
}

bool KeywordBackspace(TKeywordBox& box) {
    Normalize(box);
    const int32_t pos = box.SelStart;
    if (pos <= 0) return false;
    EraseChars(box.Text, pos, box.SelLength);
    EraseChars(box.Text, pos - 1, 1);
    box.Caret = box.SelStart = pos - 1;
    box.SelLength = 0;
    return true;
}

bool KeywordDelete(TKeywordBox& box) {
    Normalize(box);
    const int32_t pos = box.SelStart;
    if (pos >= CharCount(box.Text)) return false;
    EraseChars(box.Text, pos, box.SelLength);
    EraseChars(box.Text, pos, 1);  // nothing when the selection reached the end
    box.Caret = box.SelStart = pos;
    box.SelLength = 0;
    return true;
}

bool KeywordRotate(TKeywordBox& box, TVantorPage& matches, bool up) {
    const int32_t count = matches.Count();
    if (count < 2) return false;
    if (up)
        matches.Move(0, count - 1);
    else
        matches.Move(count - 1, 0);
    Normalize(box);
    Complete(box, matches.Buttons(0)->Keyword, box.SelStart);
    return true;
}
