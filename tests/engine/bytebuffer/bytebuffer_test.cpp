#include "engine/bytebuffer/bytebuffer.h"

#include "engine/bytebuffer/bytebufferreader.h"
#include "engine/bytebuffer/bytebufferwriter.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <string>

using Engine::ByteBuffer;

TEST(ByteBufferTest, ResizeKeepsLeadingBytesAndZeroesNewOnes)
{
    ByteBuffer buffer = ByteBuffer::fromBytes("abcd", 4);
    buffer.resize(6);
    EXPECT_EQ(buffer.at(3), 'd');
    EXPECT_EQ(buffer.at(5), 0);
    EXPECT_EQ(buffer.getLength(), 4u);
    buffer.resize(2);
    EXPECT_EQ(buffer.getSize(), 2u);
    EXPECT_EQ(buffer.getLength(), 2u);
    EXPECT_EQ(buffer.at(1), 'b');
}

TEST(ByteBufferDeathTest, ProgrammingErrorsStopWithAMessage)
{
    ByteBuffer buffer(4);
    EXPECT_DEATH(buffer.at(4), "i < getSize\\(\\)");
    EXPECT_DEATH(buffer.resize(0), "newSize > 0");
}

TEST(ByteBufferFileTest, SmallFileKeepsCapacityAndLimitsContent)
{
    const TestSupport::TempDir dir;
    const auto path = dir.write("ten.bin", "0123456789");
    ByteBuffer buffer(256);
    ASSERT_TRUE(buffer.loadFile(path, 1 << 20));
    EXPECT_EQ(buffer.getSize(), 256u);
    EXPECT_EQ(buffer.getLength(), 10u);
    EXPECT_EQ(buffer.at(9), '9');
    EXPECT_EQ(buffer.at(10), 0);
    EXPECT_EQ(buffer.at(255), 0);
}

TEST(ByteBufferFileTest, LargeFileGrowsBufferToExactLength)
{
    const TestSupport::TempDir dir;
    const auto path = dir.write("big.bin", std::string(1000, 'x'));
    ByteBuffer buffer(256);
    ASSERT_TRUE(buffer.loadFile(path, 1 << 20));
    EXPECT_EQ(buffer.getSize(), 1000u);
    EXPECT_EQ(buffer.getLength(), 1000u);
    EXPECT_EQ(buffer.at(999), 'x');
}

TEST(ByteBufferFileTest, UnreadablePathsFailAndLeaveBufferEmpty)
{
    const TestSupport::TempDir dir;
    ByteBuffer buffer(16);
    ASSERT_TRUE(buffer.loadFile(dir.write("data.bin", "abc"), 16));
    EXPECT_FALSE(buffer.loadFile(dir.path() / "missing.bin", 16));
    EXPECT_EQ(buffer.getLength(), 0u);
    ASSERT_TRUE(buffer.loadFile(dir.write("data.bin", "abc"), 16));
    EXPECT_FALSE(buffer.loadFile(dir.path(), 16));
    EXPECT_EQ(buffer.getLength(), 0u);
    Engine::ByteBufferReader reader;
    reader.readU8(buffer);
    EXPECT_FALSE(reader.ok());
}

TEST(ByteBufferFileTest, SaveWritesExactlyCountBytesAndLoadsBack)
{
    const TestSupport::TempDir dir;
    const auto path = dir.write("out.bin", "old content that is longer");
    Engine::ByteBufferWriter writer(Engine::kBigEndian);
    ByteBuffer written(2);
    writer.writeString(written, "rmap");
    writer.writeU8(written, 0);
    writer.writeI32(written, -2);
    ASSERT_TRUE(written.saveFile(path, writer.position));
    EXPECT_EQ(std::filesystem::file_size(path), 10u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    ByteBuffer read(256);
    ASSERT_TRUE(read.loadFile(path, 1 << 20));
    Engine::ByteBufferReader reader(Engine::kBigEndian);
    EXPECT_EQ(reader.readString(read), "rmap");
    EXPECT_EQ(reader.readU8(read), 0);
    EXPECT_EQ(reader.readI32(read), -2);
    EXPECT_TRUE(reader.ok());
    EXPECT_EQ(reader.remaining(read), 0u);
}

TEST(ByteBufferFileTest, FailedSaveIsReported)
{
    const TestSupport::TempDir dir;
    const ByteBuffer buffer = ByteBuffer::fromBytes("payload", 7);
    EXPECT_FALSE(buffer.saveFile(dir.path() / "no-such-folder" / "map.rmap", 7));
    EXPECT_FALSE(buffer.saveFile(dir.path(), 7));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path()));
}

TEST(ByteBufferFileTest, SaveReplacesTheFileTheWayEveryWriterDoes)
{
    namespace fs = std::filesystem;
    const TestSupport::TempDir dir;
    const fs::path target = dir.write("real.bin", "old");
    fs::permissions(target, fs::perms(0600));
    const fs::path link = dir.path() / "link.bin";
    fs::create_symlink(target, link);
    ASSERT_TRUE(ByteBuffer::fromBytes("new", 3).saveFile(link, 3));
    EXPECT_TRUE(fs::is_symlink(link)) << "the link still names the file it named";
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask, fs::perms(0600));
    ByteBuffer read;
    ASSERT_TRUE(read.loadFile(target, 3));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(read.data()), 3), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);
}

TEST(ByteBufferFileTest, LoadRefusesAFileOverTheCallersLimit)
{
    const TestSupport::TempDir dir;
    ByteBuffer buffer(4);
    ASSERT_TRUE(buffer.loadFile(dir.write("ten.bin", "0123456789"), 10));
    testing::internal::CaptureStdout();
    EXPECT_FALSE(buffer.loadFile(dir.write("eleven.bin", "0123456789A"), 10));
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(buffer.getLength(), 0u);
    EXPECT_EQ(buffer.getSize(), 10u) << "nothing of the large file was read";
    EXPECT_NE(console.find("eleven.bin is 11 bytes, more than the 10"), std::string::npos) << console;
}
