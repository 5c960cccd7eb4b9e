// The keyword bar: finding every entry whose keyword begins with the typed
// text, and the edit box that completes the text in place with the first
// match's keyword.
//
// Positions in the box are character positions: one code page 932 character,
// single- or double-byte, is one position. That is what the window side's
// Unicode edit control counts (each character of the code page is one UTF-16
// unit), and it keeps the two bytes of a Japanese character together. A lead
// byte at the very end of a text counts as a character of its own, as in the
// text helpers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "model/vantor_classes.h"

// ---- character positions ----

// Number of characters in the text.
int32_t CharCount(std::string_view text);
// Byte offset where the character at `pos` begins; `pos` is clamped to
// 0..CharCount (CharCount gives the text's size).
size_t ByteOffsetOfChar(std::string_view text, int32_t pos);
// Characters that begin before `offset`; an offset inside a double-byte
// character counts that character as not begun (rounds down).
int32_t CharPosOfByte(std::string_view text, size_t offset);

// ---- the search ----

// Fills `matches` with copies of the entries whose keyword begins with
// `typed` (whole characters, ignoring case as AnsiLowerCase does), visiting
// the pages in the order given and each page's entries in order. An entry
// equal to one already listed (IndexOfButton's rule) is skipped; the list
// stops at 128 entries and is then sorted with SortButtons. An empty `typed`
// leaves the list empty. Null pages and entries are skipped. `kanaBlind`
// compares both sides folded (text/kana_fold.h): hiragana, katakana and the
// widths of letters, digits and katakana all match one another.
void FindKeywordMatches(std::string_view typed, const std::vector<const TVantorPage*>& pages, TVantorPage& matches,
                        bool kanaBlind = false);
// The same over every page of each set, sets in the order given (the main
// window's, the smart bar's, the history bar's). Null sets are skipped.
void FindKeywordMatches(std::string_view typed, std::initializer_list<const TVantorManager*> sets,
                        TVantorPage& matches, bool kanaBlind = false);

// ---- the edit box ----

// The keyword box as the window side reads it before a key or change and
// applies it afterwards (with its own "updating" flag set, so that applying
// does not start another search).
//
// SelStart is the position the rules call the caret: the start of the
// selection, as EM_GETSEL reports it first. Caret is where the caret is left;
// the functions here always leave it at the end of the selection, which is
// where EM_SETSEL(SelStart, SelStart + SelLength) puts it. Values out of range
// are clamped before use.
struct TKeywordBox {
    std::string Text;  // code page 932
    int32_t Caret = 0;
    int32_t SelStart = 0;
    int32_t SelLength = 0;
};

// The change handler. Does nothing and returns false while the box has a
// selection (right after a completion). Otherwise searches with the text
// before SelStart; when something matches, the text becomes the first
// match's keyword with everything after the typed part selected. Returns
// true when it searched: then apply the box and refresh the bar (also when
// the list came out empty, so an emptied box shows an empty bar).
// Kana-blind, the caret goes after the part of the keyword the typed text covered.
bool KeywordSearch(TKeywordBox& box, const std::vector<const TVantorPage*>& pages, TVantorPage& matches,
                   bool kanaBlind = false);
bool KeywordSearch(TKeywordBox& box, std::initializer_list<const TVantorManager*> sets, TVantorPage& matches,
                   bool kanaBlind = false);

// Backspace: deletes the selection and the character before SelStart, and
// puts the caret where that character was. Returns false (nothing changed)
// when SelStart is 0. On true, apply the box and run KeywordSearch.
bool KeywordBackspace(TKeywordBox& box);
// Delete: deletes the selection and the character after SelStart (if one
// remains); the caret stays. Returns false when SelStart is at the end of the
// text. On true, apply the box and run KeywordSearch.
bool KeywordDelete(TKeywordBox& box);
// Up (`up` true) moves the first match to the end of the list, Down the last
// to the front; then the text becomes the new first match's keyword with the
// caret at the old SelStart (at most the new text's end) and the rest
// selected. Returns false with fewer than two matches. On true, refresh the
// bar, apply the box, then run KeywordSearch (which does nothing while the
// completion is selected).
bool KeywordRotate(TKeywordBox& box, TVantorPage& matches, bool up);
