// The byte-buffer reader on arbitrary bytes. The input is both program and data: the reader
// takes an operation code from the buffer, performs that read, and goes on until a read fails.
// Every value read is written again with ByteBufferWriter; the bytes written must be exactly the
// bytes consumed, so no read may take a byte from outside the content or in the wrong order.
#include "engine/bytebuffer/bytebufferreader.h"
#include "engine/bytebuffer/bytebufferwriter.h"
#include "fuzzcheck.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Spare capacity beyond the content, filled with a marker that a read must never return.
constexpr uint64_t kSpareBytes = 16;
constexpr uint8_t kSpareMarker = 0xA5;

enum Operation : uint8_t { kU8, kU16, kU32, kI32, kF32, kString, kBytes, kSkip, kOperationCount };

// Performs one operation; false when the reader reports failure.
bool step(Engine::ByteBufferReader& reader, const Engine::ByteBuffer& input, Engine::ByteBufferWriter& writer,
          Engine::ByteBuffer& output)
{
    const uint8_t code = reader.readU8(input);
    if (!reader.ok())
        return false;
    writer.writeU8(output, code);
    const uint64_t start = reader.position;
    switch (code % kOperationCount) {
    case kU8: writer.writeU8(output, reader.readU8(input)); break;
    case kU16: writer.writeU16(output, reader.readU16(input)); break;
    case kU32: writer.writeU32(output, reader.readU32(input)); break;
    case kI32: writer.writeI32(output, reader.readI32(input)); break;
    case kF32: writer.writeF32(output, reader.readF32(input)); break;
    case kString: {
        const std::string text = reader.readString(input);
        if (reader.ok())
            writer.writeString(output, text);
        break;
    }
    case kBytes:
    case kSkip: {
        const uint64_t count = code / kOperationCount;
        std::vector<uint8_t> bytes(count);
        const bool readOk = code % kOperationCount == kBytes ? reader.readBytes(input, bytes.data(), count)
                                                  : reader.skip(input, count);
        if (code % kOperationCount == kSkip && readOk && count > 0)
            std::memcpy(bytes.data(), input.data() + start, count);
        FUZZ_CHECK(readOk == reader.ok());
        if (readOk)
            writer.writeBytes(output, bytes.data(), count);
        break;
    }
    }
    if (!reader.ok()) {
        // A failed read consumes nothing and gives zero, never a byte from the spare capacity.
        FUZZ_CHECK(reader.position == start);
        for (uint64_t i = start; i < writer.position; ++i)
            FUZZ_CHECK(output.at(i) == 0);
        return false;
    }
    FUZZ_CHECK(reader.position <= input.getLength());
    FUZZ_CHECK(writer.position == reader.position);
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the byte order; the rest is the content.
    const uint32_t order = data[0] & 1 ? Engine::kLittleEndian : Engine::kBigEndian;
    Engine::ByteBuffer input = Engine::ByteBuffer::fromBytes(data + 1, size - 1);
    const uint64_t length = input.getLength();
    input.resize(length + kSpareBytes);
    for (uint64_t i = length; i < input.getSize(); ++i)
        input.at(i) = kSpareMarker;
    FUZZ_CHECK(input.getLength() == length);

    Engine::ByteBufferReader reader(order);
    Engine::ByteBuffer output(1);
    Engine::ByteBufferWriter writer(order, 1.5f);
    uint64_t consumed = 0;
    while (step(reader, input, writer, output))
        consumed = reader.position;

    // Reads after a failure keep failing and return nothing.
    FUZZ_CHECK(!reader.ok());
    FUZZ_CHECK(reader.readU32(input) == 0);
    FUZZ_CHECK(reader.readString(input).empty());

    FUZZ_CHECK(consumed <= length);
    FUZZ_CHECK(output.getLength() >= consumed);
    FUZZ_CHECK(std::memcmp(output.data(), input.data(), consumed) == 0);
    return 0;
}
