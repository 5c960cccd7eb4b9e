#include "document/file_stamp.h"

#include <utility>

#include "platform.h"

uint64_t HashBytes(std::string_view bytes) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

TFileStamp TFileStamp::Of(std::string_view bytes) {
    TFileStamp stamp;
    stamp.State = TState::Present;
    stamp.Size = bytes.size();
    stamp.Hash = HashBytes(bytes);
    return stamp;
}

TFileStamp TFileStamp::Missing() {
    TFileStamp stamp;
    stamp.State = TState::Missing;
    return stamp;
}

TFileStamp TFileStamp::Take(TPlatform& platform, const std::string& path, std::string* bytes) {
    std::string data;
    if (platform.ReadWholeFile(path, data)) {
        TFileStamp stamp = Of(data);
        if (bytes) *bytes = std::move(data);
        return stamp;
    }
    if (bytes) bytes->clear();
    // Locked, or in the middle of being replaced: nothing can be told yet.
    return platform.FileExists(path) ? TFileStamp() : Missing();
}

bool ChangedSince(const TFileStamp& then, const TFileStamp& now) { return then.Known() && now.Known() && then != now; }
