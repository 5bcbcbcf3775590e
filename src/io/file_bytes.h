#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The largest file the readers take into memory.
inline constexpr std::uintmax_t kMaxFileBytes = 256u * 1024u * 1024u;

// Reads a whole file. False, with a reason, when it cannot be opened or read or
// is larger than kMaxFileBytes.
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& reason);

// Replaces the file by the bytes without ever leaving it half written: the bytes
// go to a temporary file beside it, are flushed to the disk, and only then is the
// temporary renamed over the old file. On failure the old file is untouched.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// What the user is told when a file to write cannot be created.
inline constexpr const char* kCannotCreateFileMessage =
    "Cannot create the requested file. Please ensure that the path name is valid and that you have "
    "write access to the destination drive and try again";
