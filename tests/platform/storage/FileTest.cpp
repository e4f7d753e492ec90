// BFile: open modes, reading and writing, positions and size.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <string>

#include <File.h>

#include "StorageTestUtils.h"


TEST(FileTest, OpenModesHaveBeOSValues)
{
	EXPECT_EQ(0x0000, B_READ_ONLY);
	EXPECT_EQ(0x0001, B_WRITE_ONLY);
	EXPECT_EQ(0x0002, B_READ_WRITE);
	EXPECT_EQ(0x0100, B_FAIL_IF_EXISTS);
	EXPECT_EQ(0x0200, B_CREATE_FILE);
	EXPECT_EQ(0x0400, B_ERASE_FILE);
	EXPECT_EQ(0x0800, B_OPEN_AT_END);
}


TEST(FileTest, CreateEraseFailAndAppend)
{
	TempFolder folder;
	std::string path = folder / "f";

	BFile missing(path.c_str(), B_READ_ONLY);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, missing.InitCheck());

	BFile file(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE);
	ASSERT_EQ(B_OK, file.InitCheck());
	EXPECT_TRUE(file.IsWritable());
	EXPECT_FALSE(file.IsReadable());
	EXPECT_EQ(5, file.Write("hello", 5));
	char buffer[16];
	EXPECT_LT(file.Read(buffer, sizeof(buffer)), 0);
	file.Unset();

	BFile exclusive(path.c_str(), B_WRITE_ONLY | B_CREATE_FILE
		| B_FAIL_IF_EXISTS);
	EXPECT_EQ(B_FILE_EXISTS, exclusive.InitCheck());

	BFile append(path.c_str(), B_WRITE_ONLY | B_OPEN_AT_END);
	ASSERT_EQ(B_OK, append.InitCheck());
	append.Seek(0, SEEK_SET);
	EXPECT_EQ(6, append.Write(" world", 6));
	append.Unset();
	EXPECT_EQ("hello world", read_file(path));

	BFile erase(path.c_str(), B_READ_WRITE | B_ERASE_FILE);
	ASSERT_EQ(B_OK, erase.InitCheck());
	off_t size = -1;
	ASSERT_EQ(B_OK, erase.GetSize(&size));
	EXPECT_EQ(0, size);

	BFile dir(folder.Path(), B_READ_ONLY);
	EXPECT_EQ(B_IS_A_DIRECTORY, dir.InitCheck());
	BFile noFolder((folder / "none/f").c_str(), B_READ_WRITE | B_CREATE_FILE);
	EXPECT_EQ(B_ENTRY_NOT_FOUND, noFolder.InitCheck());
}


TEST(FileTest, ReadWriteSeekAndSize)
{
	TempFolder folder;
	std::string path = folder / "f";
	BFile file(path.c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(B_OK, file.InitCheck());

	EXPECT_EQ(10, file.Write("0123456789", 10));
	EXPECT_EQ(10, file.Position());
	EXPECT_EQ(2, file.Seek(2, SEEK_SET));
	char buffer[16] = {};
	EXPECT_EQ(3, file.Read(buffer, 3));
	EXPECT_STREQ("234", buffer);
	EXPECT_EQ(5, file.Position());
	EXPECT_EQ(8, file.Seek(3, SEEK_CUR));
	EXPECT_EQ(7, file.Seek(-3, SEEK_END));
	EXPECT_LT(file.Seek(-100, SEEK_SET), 0);

	// Positional calls leave the position alone.
	EXPECT_EQ(2, file.WriteAt(0, "AB", 2));
	EXPECT_EQ(4, file.ReadAt(0, buffer, 4));
	EXPECT_EQ(0, memcmp(buffer, "AB23", 4));
	EXPECT_EQ(7, file.Position());
	EXPECT_EQ(0, file.ReadAt(100, buffer, 4));
	EXPECT_EQ(3, file.Read(buffer, 16));

	ASSERT_EQ(B_OK, file.SetSize(4));
	off_t size;
	ASSERT_EQ(B_OK, file.GetSize(&size));
	EXPECT_EQ(4, size);
	ASSERT_EQ(B_OK, file.SetSize(100));
	ASSERT_EQ(B_OK, file.GetSize(&size));
	EXPECT_EQ(100, size);

	BFile readOnly(path.c_str(), B_READ_ONLY);
	EXPECT_EQ(B_PERMISSION_DENIED, readOnly.SetSize(0));
	BFile unset;
	EXPECT_LT(unset.Write("x", 1), 0);
	EXPECT_LT(unset.Position(), 0);
}


TEST(FileTest, DescriptorsAreCloseOnExec)
{
	TempFolder folder;
	BFile file((folder / "f").c_str(), B_READ_WRITE | B_CREATE_FILE);
	ASSERT_EQ(B_OK, file.InitCheck());
	int flags = fcntl(file._FD(), F_GETFD);
	EXPECT_NE(0, flags & FD_CLOEXEC);
	BFile copy(file);
	EXPECT_NE(0, fcntl(copy._FD(), F_GETFD) & FD_CLOEXEC);
	EXPECT_TRUE(copy.IsWritable());
}
