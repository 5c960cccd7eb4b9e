#include "text/kana_fold.h"

#include <array>

#include "text/text.h"

namespace {

constexpr uint16_t kLongVowel = 0x815B;  // ー
constexpr uint8_t kVoiced = 0xDE;        // ﾞ
constexpr uint8_t kSemiVoiced = 0xDF;    // ﾟ

// Half-width katakana 0xA1..0xDF as their full-width characters.
constexpr std::array<uint16_t, 63> kHalfWidth = {
    0x8142, 0x8175, 0x8176, 0x8141, 0x8145, 0x8392, 0x8340, 0x8342, 0x8344, 0x8346, 0x8348,  // ｡｢｣､･ｦｧｨｩｪｫ
    0x8383, 0x8385, 0x8387, 0x8362, kLongVowel,                                              // ｬｭｮｯｰ
    0x8341, 0x8343, 0x8345, 0x8347, 0x8349,                                                  // ｱｲｳｴｵ
    0x834A, 0x834C, 0x834E, 0x8350, 0x8352,                                                  // ｶｷｸｹｺ
    0x8354, 0x8356, 0x8358, 0x835A, 0x835C,                                                  // ｻｼｽｾｿ
    0x835E, 0x8360, 0x8363, 0x8365, 0x8367,                                                  // ﾀﾁﾂﾃﾄ
    0x8369, 0x836A, 0x836B, 0x836C, 0x836D,                                                  // ﾅﾆﾇﾈﾉ
    0x836E, 0x8371, 0x8374, 0x8377, 0x837A,                                                  // ﾊﾋﾌﾍﾎ
    0x837D, 0x837E, 0x8380, 0x8381, 0x8382,                                                  // ﾏﾐﾑﾒﾓ
    0x8384, 0x8386, 0x8388,                                                                  // ﾔﾕﾖ
    0x8389, 0x838A, 0x838B, 0x838C, 0x838D,                                                  // ﾗﾘﾙﾚﾛ
    0x838F, 0x8393, 0x814A, 0x814B,                                                          // ﾜﾝﾞﾟ
};

bool TakesVoicedMark(uint8_t c) { return (c >= 0xB6 && c <= 0xC4) || (c >= 0xCA && c <= 0xCE); }
bool TakesSemiVoicedMark(uint8_t c) { return c >= 0xCA && c <= 0xCE; }

uint16_t FoldHalfWidth(std::string_view text, size_t& i) {
    const auto c = static_cast<uint8_t>(text[i]);
    uint16_t code = kHalfWidth[c - 0xA1];
    ++i;
    if (i < text.size()) {
        const auto mark = static_cast<uint8_t>(text[i]);
        if (mark == kVoiced && c == 0xB3) {  // ｳﾞ
            ++i;
            return 0x8394;  // ヴ
        }
        if (mark == kVoiced && TakesVoicedMark(c)) {
            ++i;
            return static_cast<uint16_t>(code + 1);
        }
        if (mark == kSemiVoiced && TakesSemiVoicedMark(c)) {
            ++i;
            return static_cast<uint16_t>(code + 2);
        }
    }
    return code;
}

uint16_t FoldDoubleByte(uint16_t code) {
    if (code >= 0x829F && code <= 0x82F1) {
        // Hiragana run parallel to katakana, which skip the trail byte 0x7F.
        const uint16_t katakana = static_cast<uint16_t>(0x8340 + (code - 0x829F));
        return katakana >= 0x837F ? static_cast<uint16_t>(katakana + 1) : katakana;
    }
    if (code >= 0x824F && code <= 0x8258) return static_cast<uint16_t>('0' + (code - 0x824F));  // ０..９
    if (code >= 0x8260 && code <= 0x8279) return static_cast<uint16_t>('a' + (code - 0x8260));  // Ａ..Ｚ
    if (code >= 0x8281 && code <= 0x829A) return static_cast<uint16_t>('a' + (code - 0x8281));  // ａ..ｚ
    if (code == 0x8140) return ' ';                                                            // full-width space
    if (code == 0x817C) return '-';                                                            // －
    return 0;
}

}  // namespace

uint16_t KanaFoldCode(std::string_view text, size_t& i) {
    const auto c = static_cast<uint8_t>(text[i]);
    if (c >= 0xA1 && c <= 0xDF) return FoldHalfWidth(text, i);
    if (IsLeadByte(c) && i + 1 < text.size()) {
        const auto code = static_cast<uint16_t>((c << 8) | static_cast<uint8_t>(text[i + 1]));
        i += 2;
        return FoldDoubleByte(code);
    }
    ++i;
    if (c >= 'A' && c <= 'Z') return static_cast<uint16_t>(c - 'A' + 'a');
    return c < 0x80 ? c : 0;
}

std::string KanaFold(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t start = i;
        const uint16_t code = KanaFoldCode(text, i);
        if (code == 0) {
            out.append(text.substr(start, i - start));
        } else if (code < 0x100) {
            out.push_back(static_cast<char>(code));
        } else {
            out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        }
    }
    return out;
}
