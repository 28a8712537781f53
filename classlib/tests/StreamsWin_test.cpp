#include "Streams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;

Bytes Pattern(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 13 + i / 509);
  return bytes;
}

Bytes ReadAll(TStream& stream) {
  Bytes bytes(static_cast<size_t>(stream.Size()));
  stream.SetPosition(0);
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return bytes;
}

// A file of its own per test, removed afterwards.
class FileStreamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    name_ = std::string("StreamsWin_") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
    DeleteFileA(name_.c_str());
  }
  void TearDown() override { DeleteFileA(name_.c_str()); }
  void Write(const Bytes& bytes) {
    TFileStream file(name_, fmCreate);
    file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  }
  std::string name_;
};
}  // namespace

TEST_F(FileStreamTest, CreatedFileReadsBack) {
  Bytes pattern = Pattern(300 * 1024 + 11);
  Write(pattern);
  TFileStream file(name_, fmOpenRead | fmShareDenyWrite);
  EXPECT_EQ(file.Size(), static_cast<int64_t>(pattern.size()));
  EXPECT_EQ(ReadAll(file), pattern);
  EXPECT_EQ(file.ClassName(), "TFileStream");
  EXPECT_EQ(file.FileName(), name_);
}

TEST_F(FileStreamTest, FileThatCannotBeOpenedOrCreatedRaises) {
  try {
    TFileStream file("StreamsWin_missing.bin", fmOpenRead);
    ADD_FAILURE() << "missing file opened";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"StreamsWin_missing.bin\"");
  }
  try {
    TFileStream file("no-such-folder\\x.bin", fmCreate);
    ADD_FAILURE() << "file created in a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"no-such-folder\\x.bin\"");
  }
  Write({1});
  for (uint16_t mode : {uint16_t{0x0003}, uint16_t{0x0050}, uint16_t{0x0100}})
    EXPECT_THROW((TFileStream{name_, mode}), EFOpenError) << std::hex << mode;
}

TEST_F(FileStreamTest, ShareModesKeepOthersOut) {
  Write({1, 2, 3});
  struct Case {
    uint16_t first;
    uint16_t second;
    bool allowed;
  } cases[] = {
      {fmOpenRead | fmShareDenyWrite, fmOpenRead | fmShareDenyNone, true},
      {fmOpenRead | fmShareDenyWrite, fmOpenWrite | fmShareDenyNone, false},
      {fmOpenRead | fmShareExclusive, fmOpenRead | fmShareDenyNone, false},
      {fmOpenRead | fmShareDenyNone, fmOpenReadWrite | fmShareDenyNone, true},
      {fmOpenReadWrite | fmShareDenyRead, fmOpenRead | fmShareDenyNone, false},
  };
  for (const Case& c : cases) {
    TFileStream first(name_, c.first);
    bool opened = true;
    try {
      TFileStream second(name_, c.second);
    } catch (const EFOpenError&) {
      opened = false;
    }
    EXPECT_EQ(opened, c.allowed) << std::hex << c.first << " then " << c.second;
  }
  // Every handle above was closed with its stream.
  EXPECT_NO_THROW((TFileStream{name_, fmOpenReadWrite | fmShareExclusive}));
}

TEST_F(FileStreamTest, SeekBeyondTheEndAndWriteExtendsWithZeros) {
  Write({1, 2});
  TFileStream file(name_, fmOpenReadWrite);
  EXPECT_EQ(file.Seek(3, soFromEnd), 5);
  file.WriteBuffer("\x09", 1);
  EXPECT_EQ(ReadAll(file), (Bytes{1, 2, 0, 0, 0, 9}));
  file.SetPosition(2);
  EXPECT_THROW(file.Seek(-3, soFromCurrent), EStreamError);
  EXPECT_THROW(file.Seek(INT64_MAX, soFromEnd), EStreamError);
  EXPECT_EQ(file.Position(), 2);
  EXPECT_EQ(file.Seek(-1, soFromEnd), 5);
}

TEST_F(FileStreamTest, SetSizeCutsOrExtendsAndKeepsThePositionInside) {
  Write(Pattern(100));
  TFileStream file(name_, fmOpenReadWrite);
  file.SetPosition(80);
  file.SetSize(50);
  EXPECT_EQ(file.Size(), 50);
  EXPECT_EQ(file.Position(), 50);
  file.SetPosition(10);
  file.SetSize(70);
  EXPECT_EQ(file.Position(), 10);
  Bytes expected = Pattern(50);
  expected.resize(70);
  EXPECT_EQ(ReadAll(file), expected);
  EXPECT_THROW(file.SetSize(-1), EStreamError);
}

TEST_F(FileStreamTest, ReadOnlyFileRefusesWrites) {
  Write({1, 2, 3});
  TFileStream file(name_, fmOpenRead);
  EXPECT_EQ(file.Write("ab", 2), 0);
  try {
    file.WriteBuffer("ab", 2);
    ADD_FAILURE() << "write to a read-only stream accepted";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), "Stream write error");
  }
  uint8_t buffer[4];
  file.SetPosition(1);
  EXPECT_THROW(file.ReadBuffer(buffer, 3), EReadError);
}

TEST_F(FileStreamTest, MemoryStreamRoundTripThroughFiles) {
  Bytes pattern = Pattern(250 * 1024 + 3);
  TMemoryStream out;
  out.WriteBuffer(pattern.data(), static_cast<int64_t>(pattern.size()));
  out.SaveToFile(name_);
  {
    TFileStream file(name_, fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(ReadAll(file), pattern);
    TMemoryStream copy;
    copy.LoadFromStream(&file);
    EXPECT_EQ(Bytes(copy.Memory(), copy.Memory() + copy.Size()), pattern);
  }
  Write(Pattern(1000));
  TMemoryStream in;
  in.LoadFromFile(name_);
  EXPECT_EQ(Bytes(in.Memory(), in.Memory() + in.Size()), Pattern(1000));

  TFileStream locked(name_, fmOpenRead | fmShareExclusive);
  EXPECT_THROW(in.LoadFromFile(name_), EFOpenError);
  EXPECT_THROW(in.SaveToFile(name_), EFCreateError);
  EXPECT_EQ(in.Size(), 1000);
}

TEST_F(FileStreamTest, CopyFromFileToFile) {
  Write(Pattern(70000));
  std::string copyName = name_ + ".copy";
  {
    TFileStream source(name_, fmOpenRead);
    TFileStream target(copyName, fmCreate);
    EXPECT_EQ(target.CopyFrom(&source, 0), 70000);
    source.SetPosition(100);
    EXPECT_EQ(target.CopyFrom(&source, 10), 10);
    Bytes expected = Pattern(70000);
    expected.insert(expected.end(), expected.begin() + 100, expected.begin() + 110);
    EXPECT_EQ(ReadAll(target), expected);
  }
  DeleteFileA(copyName.c_str());
}
