#pragma once
// Whole files as bytes, for the build tools and the benchmarks.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

// Reads the whole file; false when it cannot be opened or read.
inline bool read_bytes(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Writes `bytes` (any contiguous container of bytes or chars) as the whole
// file; false when it cannot be written.
template <typename Bytes>
bool write_bytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(std::data(bytes)), static_cast<std::streamsize>(std::size(bytes)));
    return static_cast<bool>(out.flush());
}
