#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>

#include "tests/support/PdfTestFiles.h"

namespace plume::platform {
namespace {

using test::TempFolder;
using test::WriteFile;

bool DescriptorOpen(int fd) { return fcntl(fd, F_GETFD) != -1; }

TEST(FileDescriptor, TellsRegularFilesFromEverythingElse) {
  TempFolder dir;
  WriteFile(dir / "file", "abc");
  std::filesystem::create_directory(dir / "folder");
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink(dir / "file", dir / "link");
  std::filesystem::create_symlink(dir / "gone", dir / "dangling");
  struct Case {
    const char* name;
    bool regular;        // symlinks followed
    bool regularItself;  // symlinks not followed
    bool opens;          // OpenForReading without blocking
  };
  const Case cases[] = {
      {"file", true, true, true},      {"folder", false, false, true},    {"fifo", false, false, true},
      {"link", true, false, true},     {"dangling", false, false, false}, {"missing", false, false, false},
  };
  for (const Case& c : cases) {
    const std::filesystem::path path = dir / c.name;
    EXPECT_EQ(IsRegularFile(path), c.regular) << c.name;
    EXPECT_EQ(IsRegularFile(path, false), c.regularItself) << c.name;
    const FileDescriptor fd = FileDescriptor::OpenForReading(path, true);
    EXPECT_EQ(fd.IsOpen(), c.opens) << c.name;
    EXPECT_EQ(fd.IsRegularFile(), c.regular) << c.name;
    if (fd.IsOpen()) {
      EXPECT_NE(fcntl(fd.Get(), F_GETFD) & FD_CLOEXEC, 0) << c.name;
    }
  }
  struct stat info {};
  ASSERT_TRUE(IsRegularFile(dir / "link", true, &info));
  EXPECT_EQ(info.st_size, 3);
}

TEST(FileDescriptor, CreateExclusiveNeverWritesThroughWhatIsThere) {
  TempFolder dir;
  WriteFile(dir / "taken", "keep");
  std::filesystem::create_symlink(dir / "target", dir / "planted");
  EXPECT_FALSE(FileDescriptor::CreateExclusive(dir / "taken", 0600).IsOpen());
  EXPECT_FALSE(FileDescriptor::CreateExclusive(dir / "planted", 0600).IsOpen());
  EXPECT_EQ(test::ReadFile(dir / "taken"), "keep");
  EXPECT_FALSE(std::filesystem::exists(dir / "target"));

  FileDescriptor fresh = FileDescriptor::CreateExclusive(dir / "new", 0600, true);
  ASSERT_TRUE(fresh.IsRegularFile());
  EXPECT_EQ(write(fresh.Get(), "x", 1), 1);
  char back = 0;
  EXPECT_EQ(pread(fresh.Get(), &back, 1, 0), 1);  // opened for reading too
  EXPECT_TRUE(fresh.Close());
  EXPECT_EQ(std::filesystem::status(dir / "new").permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(FileDescriptor, OwnershipMovesAndTheDescriptorIsClosedOnce) {
  TempFolder dir;
  WriteFile(dir / "file", "abc");
  int raw = -1;
  {
    FileDescriptor second;
    {
      FileDescriptor first = FileDescriptor::OpenForReading(dir / "file");
      raw = first.Get();
      second = std::move(first);
      EXPECT_FALSE(first.IsOpen());
    }
    EXPECT_TRUE(DescriptorOpen(raw));  // the moved-from owner closed nothing
    EXPECT_EQ(second.Get(), raw);
  }
  EXPECT_FALSE(DescriptorOpen(raw));

  FileDescriptor owner = FileDescriptor::OpenForReading(dir / "file");
  raw = owner.Release();
  EXPECT_FALSE(owner.IsOpen());
  EXPECT_TRUE(owner.Close());  // nothing left to close
  EXPECT_TRUE(DescriptorOpen(raw));
  close(raw);
}

TEST(FileDescriptor, CopyToHandsOnEveryByteAndStopsAtAFailedWrite) {
  TempFolder dir;
  const std::string bytes(3 << 20, 'x');  // more than one chunk
  WriteFile(dir / "file", bytes);
  std::string copied;
  EXPECT_TRUE(FileDescriptor::OpenForReading(dir / "file").CopyTo([&](const char* data, std::size_t size) {
    copied.append(data, size);
    return true;
  }));
  EXPECT_EQ(copied, bytes);
  int writes = 0;
  EXPECT_FALSE(FileDescriptor::OpenForReading(dir / "file").CopyTo([&](const char*, std::size_t) {
    ++writes;
    return false;
  }));
  EXPECT_EQ(writes, 1);
  EXPECT_FALSE(FileDescriptor().CopyTo([](const char*, std::size_t) { return true; }));
}

}  // namespace
}  // namespace plume::platform
