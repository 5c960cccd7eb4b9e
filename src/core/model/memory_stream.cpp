#include "model/memory_stream.h"

#include "errors.h"
#include "text/text.h"

static constexpr int32_t MaxStreamStringField = 65535;

[[noreturn]] static void RaiseInvalidStream() { throw EVantorError("不正なストリームです。"); }

// Longest prefix of at most `limit` bytes that does not split a double-byte
// character.
static size_t CharBoundaryAtMost(std::string_view text, size_t limit) {
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + (IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
        if (next > limit || next > text.size()) break;
        end = next;
    }
    return end;
}

std::string_view TMemoryReader::Take(size_t count) {
    if (count > Remaining()) RaiseInvalidStream();
    std::string_view bytes = FData.substr(FPosition, count);
    FPosition += count;
    return bytes;
}

uint8_t TMemoryReader::ReadByte() { return static_cast<uint8_t>(Take(1)[0]); }

uint16_t TMemoryReader::ReadWord() {
    std::string_view b = Take(2);
    return static_cast<uint16_t>(static_cast<uint8_t>(b[0]) | (static_cast<uint8_t>(b[1]) << 8));
}

int32_t TMemoryReader::ReadInt32() {
    std::string_view b = Take(4);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(b[i]);
    return static_cast<int32_t>(value);
}

void TMemoryReader::Skip(size_t count) { Take(count); }

std::string TMemoryReader::ReadStreamString() {
    int32_t length = ReadInt32();
    if (length < 0) RaiseInvalidStream();
    std::string_view bytes = Take(static_cast<size_t>(length));
    std::string_view text = bytes.substr(0, bytes.find('\0'));
    if (length <= MaxStreamStringField || text.size() <= MaxStreamStringLength) return std::string(text);
    // Its length is known, so what follows still reads.
    ++FCutTexts;
    return std::string(text.substr(0, CharBoundaryAtMost(text, MaxStreamStringLength)));
}

void TMemoryWriter::WriteByte(uint8_t value) { FData.push_back(static_cast<char>(value)); }

void TMemoryWriter::WriteWord(uint16_t value) {
    WriteByte(static_cast<uint8_t>(value & 0xFF));
    WriteByte(static_cast<uint8_t>(value >> 8));
}

void TMemoryWriter::WriteInt32(int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) WriteByte(static_cast<uint8_t>((bits >> (8 * i)) & 0xFF));
}

void TMemoryWriter::WriteStreamString(std::string_view text) {
    // Text after an embedded 0 or beyond the reader's limit would not come
    // back, and an over-long field would make the reader drop the whole page.
    std::string_view stored = text.substr(0, text.find('\0'));
    if (stored.size() > MaxStreamStringLength)
        stored = stored.substr(0, CharBoundaryAtMost(stored, MaxStreamStringLength));
    WriteInt32(static_cast<int32_t>(stored.size() + 1));
    FData.append(stored);
    FData.push_back('\0');
}
