#pragma once
// The frame records compiled into the program, each under the name of the
// image holder it belongs to ("Image1" ... "Image54"). The table itself is
// written at build time from frames/data/ by tools/embed_records.cpp; its
// order is the order of the files' names, not of the holders' numbers.

#include <cstdint>
#include <span>
#include <string_view>

struct StoredRecord {
    std::string_view holder;
    std::span<const std::uint8_t> bytes;
};

std::span<const StoredRecord> stored_records();
