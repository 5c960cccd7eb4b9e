// Errors of the data layer carry the Japanese message (code page 932 bytes)
// that the caller shows with ErrorBox or swallows.
#pragma once

#include <stdexcept>
#include <string>

class EVantorError : public std::runtime_error {
public:
    explicit EVantorError(const std::string& message) : std::runtime_error(message) {}
};

// A data file of a newer version than this program reads: not damaged, only
// not for this program to use or to write over.
class ENewerVersionError : public EVantorError {
public:
    explicit ENewerVersionError(const std::string& message) : EVantorError(message) {}
};
