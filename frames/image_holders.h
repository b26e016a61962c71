#pragma once
// The 54 image holders Image1 ... Image54: each one's picture, decoded from
// its stored record the first time it is asked for and kept until the
// program ends.

#include <array>
#include <span>

#include "frames/frame_table.h"
#include "frames/picture.h"
#include "frames/stored_records.h"

class ImageHolders {
public:
    explicit ImageHolders(std::span<const StoredRecord> records) : records_(records) {}

    // The picture of holder Image`number`, number 1..54. Called by start-up
    // once per holder. Throws FatalError naming the holder when its record is
    // missing or bad ("Image12: bitmap length 7000, expected 7062").
    const Picture& picture(int number);

    // Which holder's picture `picture` is (1..54), or 0 for any other.
    int number_of(const Picture& picture) const;

private:
    std::span<const StoredRecord> records_;
    std::array<Picture, frame_count> pictures_{};
    std::array<bool, frame_count> decoded_{};
};
