#include "frames/image_holders.h"

#include <string>

#include "core/fatal_error.h"
#include "frames/record_decoder.h"

const Picture& ImageHolders::picture(int number) {
    const std::string holder = "Image" + std::to_string(number);
    if (number < 1 || number > frame_count) throw FatalError(holder + ": there is no such image holder");
    const auto index = static_cast<std::size_t>(number - 1);
    if (decoded_[index]) return pictures_[index];

    // Found by name: the table's order says nothing about the holders' numbers.
    for (const StoredRecord& record : records_) {
        if (record.holder != holder) continue;
        if (std::string wrong = decode_record(record.bytes, pictures_[index]); !wrong.empty())
            throw FatalError(holder + ": " + wrong);
        decoded_[index] = true;
        return pictures_[index];
    }
    throw FatalError(holder + ": no stored record");
}

int ImageHolders::number_of(const Picture& picture) const {
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        if (&pictures_[i] == &picture) return static_cast<int>(i) + 1;
    return 0;
}
