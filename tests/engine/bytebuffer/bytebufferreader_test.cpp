#include "engine/bytebuffer/bytebufferreader.h"

#include "engine/bytebuffer/bytebufferwriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using Engine::ByteBuffer;
using Engine::ByteBufferReader;
using Engine::ByteBufferWriter;

TEST(ByteBufferReaderTest, RoundTripsEveryWidthInBothOrders)
{
    for (const uint32_t order : {Engine::kBigEndian, Engine::kLittleEndian, 2u}) {
        SCOPED_TRACE(order);
        ByteBuffer buffer(2);
        ByteBufferWriter writer(order);
        writer.writeU8(buffer, 0xFE);
        writer.writeU16(buffer, 0xBEEF);
        writer.writeU32(buffer, 16909060);
        writer.writeI32(buffer, std::numeric_limits<int32_t>::min());
        writer.writeI32(buffer, -225);
        writer.writeF32(buffer, -1.25f);
        writer.writeF32(buffer, std::numeric_limits<float>::infinity());
        writer.writeString(buffer, "block \xC3\xA9");
        writer.writeBytes(buffer, "\0\1", 2);

        ByteBufferReader reader(order);
        EXPECT_EQ(reader.readU8(buffer), 0xFE);
        EXPECT_EQ(reader.readU16(buffer), 0xBEEF);
        EXPECT_EQ(reader.readU32(buffer), 16909060u);
        EXPECT_EQ(reader.readI32(buffer), std::numeric_limits<int32_t>::min());
        EXPECT_EQ(reader.readI32(buffer), -225);
        EXPECT_EQ(reader.readF32(buffer), -1.25f);
        EXPECT_TRUE(std::isinf(reader.readF32(buffer)));
        EXPECT_EQ(reader.readString(buffer), "block \xC3\xA9");
        char tail[2] = {9, 9};
        EXPECT_TRUE(reader.readBytes(buffer, tail, 2));
        EXPECT_EQ(tail[1], 1);
        EXPECT_TRUE(reader.ok());
        EXPECT_EQ(reader.position, writer.position);
        EXPECT_EQ(reader.remaining(buffer), 0u);
    }
}

TEST(ByteBufferReaderTest, ReadsStopAtContentNotCapacity)
{
    ByteBuffer buffer(256);
    ByteBufferWriter writer;
    writer.writeU8(buffer, 7);
    ByteBufferReader reader;
    EXPECT_EQ(reader.readU8(buffer), 7);
    EXPECT_EQ(reader.readU8(buffer), 0);
    EXPECT_FALSE(reader.ok());
    EXPECT_EQ(reader.position, 1u);
}

TEST(ByteBufferReaderTest, TruncatedReadsFailWithoutConsumingAndStayFailed)
{
    const ByteBuffer threeBytes = ByteBuffer::fromBytes("\x01\x02\x03", 3);
    ByteBufferReader reader;
    EXPECT_EQ(reader.readU32(threeBytes), 0u);
    EXPECT_FALSE(reader.ok());
    EXPECT_EQ(reader.position, 0u);
    // Failure is sticky: a later read that would fit still reports nothing.
    EXPECT_EQ(reader.readU8(threeBytes), 0);
    EXPECT_EQ(reader.position, 0u);

    const ByteBuffer shortString = ByteBuffer::fromBytes("\x05" "abc", 4);
    ByteBufferReader stringReader;
    EXPECT_EQ(stringReader.readString(shortString), "");
    EXPECT_FALSE(stringReader.ok());
    EXPECT_EQ(stringReader.position, 0u);

    const ByteBuffer twoBytes = ByteBuffer::fromBytes("ab", 2);
    ByteBufferReader skipper;
    EXPECT_FALSE(skipper.skip(twoBytes, 3));
    char out[4] = {};
    ByteBufferReader copier;
    EXPECT_FALSE(copier.readBytes(twoBytes, out, std::numeric_limits<uint64_t>::max()));
    EXPECT_EQ(out[0], 0);

    ByteBufferReader pastEnd;
    pastEnd.position = 10;
    EXPECT_EQ(pastEnd.remaining(twoBytes), 0u);
    EXPECT_EQ(pastEnd.readU16(twoBytes), 0u);
    EXPECT_FALSE(pastEnd.ok());
}
