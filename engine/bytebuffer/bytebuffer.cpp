#include "engine/bytebuffer/bytebuffer.h"

#include "engine/core/assert.h"

#include <algorithm>
#include <cstring>
#include <fstream>
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

bool ByteBuffer::loadFile(const std::filesystem::path& path)
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
    if (count > getSize())
        resize(count);
    file.seekg(0);
    file.read(reinterpret_cast<char*>(storage.data()), static_cast<std::streamsize>(count));
    if (static_cast<uint64_t>(file.gcount()) != count)
        return false;
    length = count;
    return true;
}

namespace {

bool writeBytes(const std::filesystem::path& path, const uint8_t* bytes, uint64_t count)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(reinterpret_cast<const char*>(bytes), static_cast<std::streamsize>(count));
    file.flush();
    const bool written = static_cast<bool>(file);
    file.close();
    return written && !file.fail();
}

} // namespace

bool ByteBuffer::saveFile(const std::filesystem::path& path, uint64_t count) const
{
    TX_ASSERT(count <= getSize(), "cannot save more bytes than the buffer holds");
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    const bool replaceable = status.type() == std::filesystem::file_type::not_found ||
                             status.type() == std::filesystem::file_type::regular;
    if (!replaceable)
        return writeBytes(path, storage.data(), count);

    // Write beside the target and move the finished file over it, so a failed write (a full
    // disk) leaves the previous file as it was instead of a truncated one.
    std::filesystem::path temporary = path;
    temporary += ".saving";
    if (!writeBytes(temporary, storage.data(), count)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace Engine
