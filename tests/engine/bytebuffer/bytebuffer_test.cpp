#include "engine/bytebuffer/bytebuffer.h"

#include "engine/bytebuffer/bytebufferreader.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <string>

using Engine::ByteBuffer;
namespace fs = std::filesystem;

TEST(ByteBufferTest, ResizeKeepsLeadingBytesAndZeroesNewOnes)
{
    ByteBuffer buffer = ByteBuffer::fromBytes("abcd", 4);
    buffer.resize(6);
    EXPECT_EQ(buffer.at(3), 'd');
    EXPECT_EQ(buffer.at(5), 0);
    EXPECT_EQ(buffer.getLength(), 4u);
    buffer.resize(2);
    EXPECT_EQ(buffer.getLength(), 2u);
    EXPECT_EQ(buffer.at(1), 'b');
}

TEST(ByteBufferDeathTest, ProgrammingErrorsStopWithAMessage)
{
    ByteBuffer buffer(4);
    EXPECT_DEATH(buffer.at(4), "i < getSize\\(\\)");
    EXPECT_DEATH(buffer.resize(0), "newSize > 0");
}

TEST(ByteBufferFileTest, LoadGrowsToTheFileButNeverShrinks)
{
    const TestSupport::TempDir dir;
    ByteBuffer buffer(256);
    ASSERT_TRUE(buffer.loadFile(dir.write("ten.bin", "0123456789"), 1 << 20));
    EXPECT_EQ(buffer.getSize(), 256u);
    EXPECT_EQ(buffer.getLength(), 10u);
    EXPECT_EQ(buffer.at(10), 0);

    ASSERT_TRUE(buffer.loadFile(dir.write("big.bin", std::string(1000, 'x')), 1 << 20));
    EXPECT_EQ(buffer.getSize(), 1000u);
    EXPECT_EQ(buffer.getLength(), 1000u);
    EXPECT_EQ(buffer.at(999), 'x');
}

TEST(ByteBufferFileTest, UnreadableOrTooLargeFilesFailAndLeaveBufferEmpty)
{
    const TestSupport::TempDir dir;
    const auto data = dir.write("data.bin", "abc");
    ByteBuffer buffer(4);
    for (const fs::path& bad : {dir.path() / "missing.bin", dir.path()}) {
        ASSERT_TRUE(buffer.loadFile(data, 16));
        EXPECT_FALSE(buffer.loadFile(bad, 16)) << bad;
        EXPECT_EQ(buffer.getLength(), 0u) << bad;
    }
    Engine::ByteBufferReader reader;
    reader.readU8(buffer);
    EXPECT_FALSE(reader.ok());

    testing::internal::CaptureStdout();
    EXPECT_FALSE(buffer.loadFile(dir.write("eleven.bin", "0123456789A"), 10));
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(buffer.getLength(), 0u);
    EXPECT_EQ(buffer.getSize(), 4u) << "nothing of the large file was read";
    EXPECT_NE(console.find("eleven.bin is 11 bytes, more than the 10"), std::string::npos) << console;
}

TEST(ByteBufferFileTest, SaveWritesCountBytesThroughTheAtomicWriter)
{
    const TestSupport::TempDir dir;
    const fs::path target = dir.write("real.bin", "old content that is longer");
    const fs::path link = dir.path() / "link.bin";
    fs::create_symlink(target, link);
    ByteBuffer buffer = ByteBuffer::fromBytes("new and more", 12);
    ASSERT_TRUE(buffer.saveFile(link, 3));
    EXPECT_TRUE(fs::is_symlink(link)) << "the link still names the file it named";
    ByteBuffer read;
    ASSERT_TRUE(read.loadFile(target, 100));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(read.data()), read.getLength()), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);

    EXPECT_FALSE(buffer.saveFile(dir.path() / "no-such-folder" / "map.rmap", 3));
    EXPECT_FALSE(buffer.saveFile(dir.path(), 3));
    EXPECT_TRUE(fs::is_directory(dir.path()));
}
