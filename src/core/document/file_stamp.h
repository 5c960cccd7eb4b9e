// What a file held when this program last read or wrote it: enough to tell,
// later, whether someone else has changed it since (a synchronised folder, a
// second computer, another program). Size and a hash of the bytes; file
// times are left out, as copies and synchronising tools carry them over.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class TPlatform;

// A 64-bit FNV-1a hash of the bytes.
uint64_t HashBytes(std::string_view bytes);

struct TFileStamp {
    enum class TState : uint8_t {
        Unknown,  // never looked at, or there but unreadable: nothing can be told
        Missing,
        Present,
    };
    TState State = TState::Unknown;
    uint64_t Size = 0;
    uint64_t Hash = 0;

    static TFileStamp Of(std::string_view bytes);
    static TFileStamp Missing();
    // Reads the file; `bytes`, when given, receives what was read.
    static TFileStamp Take(TPlatform& platform, const std::string& path, std::string* bytes = nullptr);

    bool Known() const { return State != TState::Unknown; }
    bool Exists() const { return State == TState::Present; }
    bool operator==(const TFileStamp& other) const {
        return State == other.State && Size == other.Size && Hash == other.Hash;
    }
    bool operator!=(const TFileStamp& other) const { return !(*this == other); }
};

// Whether a file seen now differs from what it held then; false when either
// is unknown.
bool ChangedSince(const TFileStamp& then, const TFileStamp& now);
