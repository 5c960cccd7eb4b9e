// Little-endian reader and writer over bytes in memory, for the page file.
// The reader is bounded: every read checks the bytes that remain and throws
// EVantorError instead of reading past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

class TMemoryReader {
public:
    explicit TMemoryReader(std::string_view data) : FData(data) {}

    uint8_t ReadByte();
    uint16_t ReadWord();
    int32_t ReadInt32();
    void Skip(size_t count);
    // An int32 length L (text bytes + 1, at most 65535), then L bytes; the text
    // ends at the first 0 byte. A longer field (written by another tool) whose
    // bytes are all there is read past, its text cut to what this program
    // writes back, never inside a double-byte character.
    std::string ReadStreamString();

    size_t Position() const { return FPosition; }
    size_t Remaining() const { return FData.size() - FPosition; }
    // How many texts were cut so far: what was read is less than the data held.
    size_t CutTexts() const { return FCutTexts; }

private:
    std::string_view Take(size_t count);

    std::string_view FData;
    size_t FPosition = 0;
    size_t FCutTexts = 0;
};

class TMemoryWriter {
public:
    void WriteByte(uint8_t value);
    void WriteWord(uint16_t value);
    void WriteInt32(int32_t value);
    // The text up to its first 0 byte, cut to what ReadStreamString accepts.
    void WriteStreamString(std::string_view text);

    const std::string& Data() const { return FData; }
    std::string TakeData() { return std::move(FData); }

private:
    std::string FData;
};

// Longest text a stream string can hold (the length field counts the final 0).
constexpr size_t MaxStreamStringLength = 65534;
