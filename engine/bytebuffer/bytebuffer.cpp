#include "engine/bytebuffer/bytebuffer.h"

#include "engine/core/assert.h"
#include "engine/core/log.h"
#include "engine/fileutil/atomicwrite.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

namespace Engine {

ByteBuffer::ByteBuffer(uint64_t size)
    : storage(static_cast<size_t>(size), 0)
{
}

ByteBuffer ByteBuffer::fromBytes(const void* bytes, uint64_t count)
{
    ByteBuffer buffer(count);
    if (count > 0)
        std::memcpy(buffer.storage.data(), bytes, static_cast<size_t>(count));
    buffer.length = count;
    return buffer;
}

uint8_t& ByteBuffer::at(uint64_t i)
{
    TX_ASSERT(i < getSize(), "byte index past the end of the buffer");
    return storage[static_cast<size_t>(i)];
}

const uint8_t& ByteBuffer::at(uint64_t i) const
{
    TX_ASSERT(i < getSize(), "byte index past the end of the buffer");
    return storage[static_cast<size_t>(i)];
}

void ByteBuffer::setLength(uint64_t newLength)
{
    if (newLength > getSize())
        resize(newLength);
    length = newLength;
}

void ByteBuffer::resize(uint64_t newSize)
{
    TX_ASSERT(newSize > 0, "a buffer needs at least one byte");
    storage.resize(static_cast<size_t>(newSize), 0);
    length = std::min(length, newSize);
}

bool ByteBuffer::loadFile(const std::filesystem::path& path, uint64_t maxBytes)
{
    length = 0;
    // Only regular files have a length to take; a folder or device would read as garbage.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return false;
    const std::streamoff fileLength = file.tellg();
    if (fileLength < 0)
        return false;
    const uint64_t count = static_cast<uint64_t>(fileLength);
    if (count > maxBytes) {
        logLine("FILE TOO LARGE: " + path.string() + " is " + std::to_string(count) + " bytes, more than the "
                + std::to_string(maxBytes) + " it may have");
        return false;
    }
    if (count > getSize())
        resize(count);
    file.seekg(0);
    file.read(reinterpret_cast<char*>(storage.data()), static_cast<std::streamsize>(count));
    if (static_cast<uint64_t>(file.gcount()) != count)
        return false;
    length = count;
    return true;
}

bool ByteBuffer::saveFile(const std::filesystem::path& path, uint64_t count) const
{
    TX_ASSERT(count <= getSize(), "cannot save more bytes than the buffer holds");
    std::string problem;
    if (writeFileAtomically(path, storage.data(), count, &problem))
        return true;
    logLine("FILE NOT SAVED: " + problem);
    return false;
}

} // namespace Engine
