// Folding for a search that does not care how a word was typed: hiragana and
// katakana, full- and half-width letters, digits and katakana, and the
// long-vowel mark all come to one form, so "めも", "ﾒﾓ" and "メモ" are the
// same word. Works on code page 932 text one character at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The folded form of the character at `i`, which moves past it: a half-width
// katakana followed by a voiced or semi-voiced sound mark is read as one
// character. Codes are a single byte (below 0x100) or lead << 8 | trail.
// 0 when the character is none of the folded kinds (the caller compares it
// as it is, or lower-cased); `i` then still moves past it.
uint16_t KanaFoldCode(std::string_view text, size_t& i);

// The whole text folded, each code as its bytes; letters come out lower-case.
std::string KanaFold(std::string_view text);
