#include "engine/bytebuffer/bytebufferwriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Engine::ByteBuffer;
using Engine::ByteBufferWriter;

namespace {
std::vector<uint8_t> contentOf(const ByteBuffer& buffer)
{
    return std::vector<uint8_t>(buffer.data(), buffer.data() + buffer.getLength());
}
} // namespace

TEST(ByteBufferWriterTest, ByteOrdersOfEveryWidth)
{
    ByteBuffer big(64);
    ByteBufferWriter bigWriter(Engine::kBigEndian);
    bigWriter.writeU32(big, 16909060);
    bigWriter.writeU16(big, 0x0A0B);
    bigWriter.writeF32(big, 1.0f);
    EXPECT_EQ(contentOf(big), (std::vector<uint8_t>{1, 2, 3, 4, 0x0A, 0x0B, 0x3F, 0x80, 0, 0}));

    ByteBuffer little(64);
    ByteBufferWriter littleWriter(Engine::kLittleEndian);
    littleWriter.writeU32(little, 16909060);
    littleWriter.writeU16(little, 0x0A0B);
    littleWriter.writeF32(little, 1.0f);
    EXPECT_EQ(contentOf(little), (std::vector<uint8_t>{4, 3, 2, 1, 0x0B, 0x0A, 0, 0, 0x80, 0x3F}));
    EXPECT_EQ(littleWriter.position, 10u);
}

TEST(ByteBufferWriterTest, StringsAreLengthPrefixed)
{
    ByteBuffer buffer(16);
    ByteBufferWriter writer;
    writer.writeString(buffer, "rmap");
    writer.writeString(buffer, "");
    EXPECT_EQ(contentOf(buffer), (std::vector<uint8_t>{4, 'r', 'm', 'a', 'p', 0}));
}

TEST(ByteBufferWriterTest, LongStringsAreCutAtACharacterBoundary)
{
    ByteBuffer ascii(16);
    ByteBufferWriter asciiWriter;
    asciiWriter.writeString(ascii, std::string(300, 'a'));
    EXPECT_EQ(ascii.at(0), 255);
    EXPECT_EQ(asciiWriter.position, 256u);

    // 254 ASCII bytes, then a three-byte character across the 255-byte limit: it is left out
    // whole instead of being split.
    const std::string euro = "\xE2\x82\xAC";
    ByteBuffer utf8(16);
    ByteBufferWriter utf8Writer;
    utf8Writer.writeString(utf8, std::string(254, 'a') + euro + "tail");
    EXPECT_EQ(utf8.at(0), 254);
    EXPECT_EQ(utf8Writer.position, 255u);

    // Four-byte characters that end exactly at the limit are kept.
    const std::string emoji = "\xF0\x9F\x99\x82";
    ByteBuffer exact(16);
    ByteBufferWriter exactWriter;
    exactWriter.writeString(exact, std::string(251, 'a') + emoji + emoji);
    EXPECT_EQ(exact.at(0), 255);
    EXPECT_EQ(exact.at(255), 0x82);
}

TEST(ByteBufferWriterTest, GrowthAlwaysMakesProgress)
{
    // Empty and one-byte buffers, and factors that would not grow them, still grow.
    for (const float factor : {1.5f, 1.0f, 0.0f, -2.0f}) {
        for (const uint64_t size : {0u, 1u}) {
            ByteBuffer tiny(size);
            ByteBufferWriter tinyWriter(Engine::kBigEndian, factor);
            tinyWriter.writeString(tiny, "growing");
            EXPECT_EQ(tinyWriter.position, 8u);
            EXPECT_EQ(tiny.at(7), 'g');
        }
    }
}
