#pragma once
// A growable block of bytes that moves binary data to and from files and memory. The buffer
// only stores bytes; ByteBufferWriter and ByteBufferReader decide how values are laid out.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace Engine {

class ByteBuffer {
public:
    // A buffer of `size` zero bytes (the capacity) holding no content yet.
    explicit ByteBuffer(uint64_t size = 256);

    // A buffer whose capacity and content are a copy of `count` bytes at `bytes`.
    static ByteBuffer fromBytes(const void* bytes, uint64_t count);

    // Byte `i` of the storage; `i` must be below getSize().
    uint8_t& at(uint64_t i);
    const uint8_t& at(uint64_t i) const;

    // Capacity in bytes.
    uint64_t getSize() const { return static_cast<uint64_t>(storage.size()); }

    // Number of leading bytes that hold content: the bytes loaded or written so far. Readers
    // stop here, never at the capacity, so they cannot see bytes nobody put there.
    uint64_t getLength() const { return length; }

    // Marks the first `newLength` bytes as content, growing the capacity if needed.
    void setLength(uint64_t newLength);

    // Start of the storage (getSize() bytes).
    const uint8_t* data() const { return storage.data(); }

    // Sets the capacity to `newSize` (> 0), keeping the first min(old, new) bytes; new bytes are 0.
    void resize(uint64_t newSize);

    // Reads the whole regular file at `path` into the start of the storage, growing the capacity
    // to exactly the file's length when it is larger (never shrinking), and sets the length to
    // the file's length. A file that cannot be opened or read gives false and an empty buffer;
    // so does one longer than `maxBytes`, which is not read at all and gets a console line
    // ("FILE TOO LARGE: ..."). Callers choose the limit from the largest file they can use.
    bool loadFile(const std::filesystem::path& path, uint64_t maxBytes);

    // Replaces the file at `path` with the first `count` bytes (count <= getSize()) through
    // writeFileAtomically (engine/fileutil/atomicwrite.h), like every file the program writes: a
    // failed save keeps the old content, a symbolic link keeps naming its file, permissions are
    // kept. False, with a console line, when the file cannot be replaced.
    bool saveFile(const std::filesystem::path& path, uint64_t count) const;

private:
    std::vector<uint8_t> storage;
    uint64_t length = 0;
};

} // namespace Engine
