// The frame records: their shape on disk, the decoder's checks and pixel
// order, and that the committed drawings show what they should.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "frames/image_holders.h"
#include "frames/record_decoder.h"
#include "frames/record_format.h"
#include "frames/stored_records.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes committed_record(int holder) {
    std::ifstream in(std::string(FRAME_DATA_DIR) + "/Image" + std::to_string(holder) + ".rec", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FrameRecords, EachIs7070BytesWithMagicAndLength) {
    for (int holder = 1; holder <= 54; ++holder) {
        const Bytes record = committed_record(holder);
        ASSERT_EQ(record.size(), 7070U) << "Image" << holder;
        EXPECT_EQ(Bytes(record.begin(), record.begin() + 8), (Bytes{0x6C, 0x74, 0, 0, 0x96, 0x1B, 0, 0}))
            << "Image" << holder;
        Picture picture;
        EXPECT_EQ(decode_record(record, picture), "") << "Image" << holder;
    }
}

TEST(FrameRecords, TheCompiledTableHoldsEachHolderOnceAsCommitted) {
    std::set<std::string> names;
    for (const StoredRecord& record : stored_records()) names.insert(std::string(record.holder));
    EXPECT_EQ(stored_records().size(), 54U);
    EXPECT_EQ(names.size(), 54U);
    for (const StoredRecord& record : stored_records()) {
        const int holder = std::stoi(std::string(record.holder.substr(5)));
        EXPECT_TRUE(std::ranges::equal(record.bytes, committed_record(holder))) << record.holder;
    }
}

struct Corruption {
    std::string name;
    std::function<void(Bytes&)> apply;
    std::string reason;
};

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PrintTo(const Corruption& c, std::ostream* os) { *os << c.name; }

class CorruptRecord : public testing::TestWithParam<Corruption> {};

TEST_P(CorruptRecord, IsRefusedWithItsReason) {
    Bytes record = committed_record(1);
    GetParam().apply(record);
    Picture picture;
    EXPECT_EQ(decode_record(record, picture), GetParam().reason);
}

constexpr std::size_t bmp = 8;  // where the bitmap starts inside a record

INSTANTIATE_TEST_SUITE_P(
    Fields, CorruptRecord,
    testing::Values(
        Corruption{"empty", [](Bytes& b) { b.clear(); }, "record is 0 bytes, shorter than its 8-byte header"},
        Corruption{"header_cut", [](Bytes& b) { b.resize(7); }, "record is 7 bytes, shorter than its 8-byte header"},
        Corruption{"bad_magic", [](Bytes& b) { b[1] = 0x75; }, "magic 6C 75 00 00, expected 6C 74 00 00"},
        Corruption{"magic_tail", [](Bytes& b) { b[3] = 1; }, "magic 6C 74 00 01, expected 6C 74 00 00"},
        Corruption{"short_length", [](Bytes& b) { put32(b, 4, 7000); }, "bitmap length 7000, expected 7062"},
        Corruption{"huge_length", [](Bytes& b) { put32(b, 4, 0xFFFFFFFF); },
                   "bitmap length 4294967295, expected 7062"},
        Corruption{"truncated", [](Bytes& b) { b.resize(5000); },
                   "record holds 4992 bitmap bytes, its header states 7062"},
        Corruption{"trailing_bytes", [](Bytes& b) { b.push_back(0); },
                   "record holds 7063 bitmap bytes, its header states 7062"},
        Corruption{"signature", [](Bytes& b) { b[bmp] = 'X'; }, "bitmap signature 58 4D, expected \"BM\""},
        Corruption{"file_size", [](Bytes& b) { put32(b, bmp + 2, 7070); }, "bitmap file size 7070, expected 7062"},
        Corruption{"pixel_offset", [](Bytes& b) { put32(b, bmp + 10, 54); }, "pixel-data offset 54, expected 62"},
        Corruption{"info_size", [](Bytes& b) { put32(b, bmp + 14, 108); },
                   "information header size 108, expected 40"},
        Corruption{"width", [](Bytes& b) { put32(b, bmp + 18, 151); }, "width 151, expected 150"},
        Corruption{"top_down", [](Bytes& b) { put32(b, bmp + 22, static_cast<std::uint32_t>(-350)); },
                   "height -350, expected 350"},
        Corruption{"planes", [](Bytes& b) { b[bmp + 26] = 2; }, "planes 2, expected 1"},
        Corruption{"bit_depth", [](Bytes& b) { b[bmp + 28] = 8; }, "bit depth 8, expected 1"},
        Corruption{"compression", [](Bytes& b) { put32(b, bmp + 30, 1); }, "compression 1, expected 0"},
        Corruption{"image_size", [](Bytes& b) { put32(b, bmp + 34, 0); }, "image size 0, expected 7000"},
        Corruption{"colours_used", [](Bytes& b) { put32(b, bmp + 46, 2); }, "colours used 2, expected 0"},
        Corruption{"colours_swapped",
                   [](Bytes& b) {
                       std::swap_ranges(b.begin() + bmp + 54, b.begin() + bmp + 58, b.begin() + bmp + 58);
                   },
                   "colour table FF FF FF 00 00 00 00 00, expected black then white (00 00 00 00 FF FF FF 00)"},
        Corruption{"grey_entry", [](Bytes& b) { b[bmp + 58] = 0x80; },
                   "colour table 00 00 00 00 80 FF FF 00, expected black then white (00 00 00 00 FF FF FF 00)"}),
    [](const testing::TestParamInfo<Corruption>& info) { return info.param.name; });

TEST(Decoder, BitOneIsWhiteBottomRowComesFirstMostSignificantBitLeft) {
    Bytes record = committed_record(1);
    const std::size_t pixels = bmp + 62;
    std::fill(record.begin() + pixels, record.end(), 0);
    record[pixels + 0] = 0x81;                   // first stored row: x 0 and x 7 of the bottom row
    record[pixels + 349 * 20 + 18] = 0x04;       // last stored row: x 149 of the top row
    record[pixels + 10 * 20 + 1] = 0x40;         // stored row 10 is row 339; x 9
    Picture picture;
    ASSERT_EQ(decode_record(record, picture), "");
    std::vector<std::pair<int, int>> white;
    for (int y = 0; y < Picture::height; ++y)
        for (int x = 0; x < Picture::width; ++x)
            if (picture.is_white(x, y)) white.emplace_back(x, y);
    EXPECT_EQ(white, (std::vector<std::pair<int, int>>{{149, 0}, {9, 339}, {0, 349}, {7, 349}}));
}

// ---- The drawings ----------------------------------------------------------

struct Decoded {
    ImageHolders holders{stored_records()};
    const Picture& frame(int slot) { return holders.picture(slot + 1); }
};

// The stem's lower end in column 100, how far below its rest row 300.
int stem_depth(const Picture& p) {
    for (int y = 340; y >= 200; --y)
        if (!p.is_white(100, y)) return y - 300;
    return -1000;
}

TEST(Drawings, EveryFrameHasTheSingleDotAt2_343) {
    Decoded d;
    for (int slot = 0; slot < 54; ++slot) {
        const Picture& p = d.frame(slot);
        EXPECT_FALSE(p.is_white(2, 343)) << "slot " << slot;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                if (dx != 0 || dy != 0) {
                    EXPECT_TRUE(p.is_white(2 + dx, 343 + dy)) << "slot " << slot;
                }
    }
}

TEST(Drawings, TheStemRestsThenTravelsItsLiftsDepth) {
    Decoded d;
    const int travel[3] = {18, 10, 4};
    for (int lift = 0; lift < 3; ++lift) {
        std::vector<int> depth;
        for (int phase = 0; phase < 18; ++phase) depth.push_back(stem_depth(d.frame(18 * lift + phase)));
        for (int phase = 0; phase <= 9; ++phase) EXPECT_EQ(depth[phase], 0) << "lift " << lift << " phase " << phase;
        EXPECT_GT(depth[10], 0) << "lift " << lift;
        EXPECT_EQ(*std::max_element(depth.begin(), depth.end()), travel[lift]) << "lift " << lift;
        EXPECT_EQ(depth[13], travel[lift]) << "lift " << lift;
        for (int phase = 10; phase < 18; ++phase)
            if (phase != 13 && !(lift == 2 && phase == 12)) {
                EXPECT_LT(depth[phase], travel[lift]) << "lift " << lift << " phase " << phase;
            }
        EXPECT_EQ(depth[12], lift == 2 ? travel[lift] : travel[lift] - 1) << "lift " << lift;
        EXPECT_LE(depth[17], 1) << "lift " << lift;
    }
}

TEST(Drawings, All54FramesDiffer) {
    Decoded d;
    std::set<std::vector<std::uint8_t>> distinct;
    for (int slot = 0; slot < 54; ++slot)
        distinct.insert(std::vector<std::uint8_t>(d.frame(slot).bits.begin(), d.frame(slot).bits.end()));
    EXPECT_EQ(distinct.size(), 54U);
}

}  // namespace
