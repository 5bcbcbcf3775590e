#include "io/file_bytes.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& reason) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) {
        reason = "the file does not exist or is not a regular file";
        return false;
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        reason = "the file size cannot be read";
        return false;
    }
    if (size > kMaxFileBytes) {
        reason = "the file is too large";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        reason = "the file cannot be opened";
        return false;
    }
    bytes.assign(static_cast<std::size_t>(size), 0);
    const std::size_t got = size ? std::fread(bytes.data(), 1, bytes.size(), file) : 0;
    const bool ok = got == bytes.size() && !std::ferror(file);
    std::fclose(file);
    if (!ok) reason = "the file cannot be read";
    return ok;
}

bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const fs::path target(path);
    const fs::path temporary =
        target.parent_path() / (target.filename().string() + ".saving-" + std::to_string(::getpid()));
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = ok && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    ok = (std::fclose(file) == 0) && ok;
    std::error_code error;
    if (ok) {
        // The new file keeps the permissions of the one it replaces.
        const fs::file_status old = fs::status(target, error);
        if (!error && fs::exists(old)) fs::permissions(temporary, old.permissions(), error);
        error.clear();
        fs::rename(temporary, target, error);
        ok = !error;
    }
    if (!ok) fs::remove(temporary, error);
    return ok;
}
