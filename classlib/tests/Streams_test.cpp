#include "Streams.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

namespace {
using Bytes = std::vector<uint8_t>;
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

Bytes Pattern(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return bytes;
}

Bytes Contents(TMemoryStream& stream) { return Bytes(stream.Memory(), stream.Memory() + stream.Size()); }

void Fill(TMemoryStream& stream, const Bytes& bytes) {
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// Hands out its bytes up to a limit, then reports nothing more: a source that breaks off.
class BrokenStream : public TMemoryStream {
 public:
  explicit BrokenStream(int64_t limit) : limit_(limit) {}
  int64_t Read(void* Buffer, int64_t Count) override {
    int64_t allowed = std::min(Count, limit_ - Position());
    return allowed > 0 ? TMemoryStream::Read(Buffer, allowed) : 0;
  }

 private:
  int64_t limit_;
};
}  // namespace

TEST(StreamsTest, SeekMovesFromEachOrigin) {
  struct Case {
    int64_t start;
    int64_t offset;
    TSeekOrigin origin;
    int64_t expected;  // -1: rejected
  } cases[] = {
      {5, 3, soFromBeginning, 3},      {5, -2, soFromCurrent, 3},        {5, -2, soFromEnd, 8},
      {5, 0, soFromEnd, 10},           {5, 15, soFromBeginning, 15},     {5, 4, soFromEnd, 14},
      {5, -1, soFromBeginning, -1},    {5, -6, soFromCurrent, -1},       {5, -11, soFromEnd, -1},
      {5, kMax, soFromCurrent, -1},    {5, kMax, soFromEnd, -1},         {5, kMax, soFromBeginning, kMax},
      {5, 1, static_cast<TSeekOrigin>(3), -1},
  };
  for (const Case& c : cases) {
    TMemoryStream stream;
    Fill(stream, Pattern(10));
    stream.SetPosition(c.start);
    if (c.expected < 0) {
      EXPECT_THROW(stream.Seek(c.offset, c.origin), EStreamError) << c.offset << " from " << c.origin;
      EXPECT_EQ(stream.Position(), c.start);
    } else {
      EXPECT_EQ(stream.Seek(c.offset, c.origin), c.expected) << c.offset << " from " << c.origin;
      EXPECT_EQ(stream.Position(), c.expected);
    }
    EXPECT_EQ(stream.Size(), 10);
  }
}

TEST(StreamsTest, ReadStopsAtTheEnd) {
  TMemoryStream stream;
  Fill(stream, Pattern(10));
  uint8_t buffer[16] = {};
  stream.SetPosition(6);
  EXPECT_EQ(stream.Read(buffer, 16), 4);
  EXPECT_EQ(buffer[3], Pattern(10)[9]);
  EXPECT_EQ(stream.Position(), 10);
  EXPECT_EQ(stream.Read(buffer, 16), 0);
  stream.SetPosition(40);
  EXPECT_EQ(stream.Read(buffer, 1), 0);
  stream.SetPosition(0);
  EXPECT_EQ(stream.Read(buffer, -3), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(StreamsTest, ReadBufferRaisesOnAShortRead) {
  TMemoryStream stream;
  Fill(stream, Pattern(10));
  stream.SetPosition(4);
  uint8_t buffer[16];
  try {
    stream.ReadBuffer(buffer, 7);
    ADD_FAILURE() << "short read accepted";
  } catch (const EReadError& e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  stream.SetPosition(4);
  EXPECT_THROW(stream.ReadBuffer(buffer, -1), EReadError);
  EXPECT_NO_THROW(stream.ReadBuffer(buffer, 0));
  EXPECT_NO_THROW(stream.ReadBuffer(buffer, 6));
  EXPECT_EQ(stream.Position(), 10);
}

TEST(StreamsTest, WriteBeyondTheEndFillsTheGapWithZeros) {
  TMemoryStream stream;
  Fill(stream, {1, 2});
  stream.SetPosition(5);
  Fill(stream, {9});
  EXPECT_EQ(Contents(stream), (Bytes{1, 2, 0, 0, 0, 9}));
  EXPECT_EQ(stream.Position(), 6);
  stream.SetPosition(1);
  Fill(stream, {7, 7});
  EXPECT_EQ(Contents(stream), (Bytes{1, 7, 7, 0, 0, 9}));
  EXPECT_EQ(stream.Write("x", 0), 0);
  EXPECT_EQ(stream.Write("x", -1), 0);
}

TEST(StreamsTest, SetSizeCutsOrExtendsAndKeepsThePositionInside) {
  TMemoryStream stream;
  Fill(stream, {1, 2, 3, 4});
  stream.SetSize(2);
  EXPECT_EQ(Contents(stream), (Bytes{1, 2}));
  EXPECT_EQ(stream.Position(), 2);
  stream.SetPosition(1);
  stream.SetSize(5);
  EXPECT_EQ(Contents(stream), (Bytes{1, 2, 0, 0, 0}));
  EXPECT_EQ(stream.Position(), 1);
  EXPECT_THROW(stream.SetSize(-1), EStreamError);
  EXPECT_EQ(stream.Size(), 5);
  stream.Clear();
  EXPECT_EQ(stream.Size(), 0);
  EXPECT_EQ(stream.Position(), 0);
}

TEST(StreamsTest, GrowthBeyondMemoryRaisesAndLeavesTheStream) {
  TMemoryStream stream;
  Fill(stream, {1, 2, 3});
  EXPECT_THROW(stream.SetSize(kMax), EOutOfMemory);
  stream.SetPosition(kMax - 1);
  EXPECT_THROW(stream.Write("abc", 3), EOutOfMemory);
  EXPECT_EQ(Contents(stream), (Bytes{1, 2, 3}));
}

TEST(StreamsTest, MemoryGrowsAcrossManyWrites) {
  Bytes pattern = Pattern(300 * 1024 + 17);
  TMemoryStream stream;
  for (size_t at = 0; at < pattern.size();) {
    size_t n = std::min<size_t>(pattern.size() - at, 1 + at % 4099);
    stream.WriteBuffer(pattern.data() + at, static_cast<int64_t>(n));
    at += n;
  }
  EXPECT_EQ(stream.Size(), static_cast<int64_t>(pattern.size()));
  EXPECT_EQ(Contents(stream), pattern);
}

TEST(StreamsTest, WritingItsOwnMemoryWhileGrowing) {
  Bytes pattern = Pattern(1000);
  TMemoryStream stream;
  Fill(stream, pattern);
  stream.WriteBuffer(stream.Memory(), stream.Size());
  Bytes doubled = pattern;
  doubled.insert(doubled.end(), pattern.begin(), pattern.end());
  EXPECT_EQ(Contents(stream), doubled);
}

TEST(StreamsTest, CopyFromWholeSourceOrFromItsPosition) {
  Bytes pattern = Pattern(200 * 1024 + 3);  // more than one copy buffer
  TMemoryStream source;
  Fill(source, pattern);

  source.SetPosition(1234);
  TMemoryStream whole;
  EXPECT_EQ(whole.CopyFrom(&source, 0), static_cast<int64_t>(pattern.size()));
  EXPECT_EQ(Contents(whole), pattern);
  EXPECT_EQ(source.Position(), source.Size());

  source.SetPosition(100);
  TMemoryStream part;
  Fill(part, {42});
  EXPECT_EQ(part.CopyFrom(&source, 70000), 70000);
  Bytes expected{42};
  expected.insert(expected.end(), pattern.begin() + 100, pattern.begin() + 70100);
  EXPECT_EQ(Contents(part), expected);
  EXPECT_EQ(source.Position(), 70100);

  TMemoryStream empty, target;
  EXPECT_EQ(target.CopyFrom(&empty, 0), 0);
  EXPECT_EQ(target.Size(), 0);
}

TEST(StreamsTest, CopyFromMoreThanTheSourceHoldsRaises) {
  TMemoryStream source;
  Fill(source, Pattern(10));
  source.SetPosition(5);
  TMemoryStream target;
  EXPECT_THROW(target.CopyFrom(&source, 6), EReadError);
  EXPECT_THROW(target.CopyFrom(&source, -1), EReadError);
}

TEST(StreamsTest, LoadFromStreamReplacesTheContentOrNothing) {
  TMemoryStream source;
  Fill(source, Pattern(500));
  source.SetPosition(200);
  TMemoryStream stream;
  Fill(stream, {1, 2, 3});
  stream.LoadFromStream(&source);
  EXPECT_EQ(Contents(stream), Pattern(500));
  EXPECT_EQ(stream.Position(), 0);

  BrokenStream broken(100);
  Fill(broken, Pattern(500));
  EXPECT_THROW(stream.LoadFromStream(&broken), EReadError);
  EXPECT_EQ(Contents(stream), Pattern(500));

  TMemoryStream saved;
  stream.SetPosition(300);
  stream.SaveToStream(&saved);
  EXPECT_EQ(Contents(saved), Pattern(500));
  EXPECT_EQ(stream.Position(), 300);
}

TEST(StreamsTest, FileRoundTrip) {
  const std::string name = "Streams_test_roundtrip.bin";
  Bytes pattern = Pattern(400 * 1024 + 5);
  TMemoryStream out;
  Fill(out, pattern);
  out.SaveToFile(name);

  TMemoryStream in;
  Fill(in, {1});
  in.LoadFromFile(name);
  EXPECT_EQ(Contents(in), pattern);
  EXPECT_EQ(in.Position(), 0);

  TMemoryStream empty;
  empty.SaveToFile(name);
  in.LoadFromFile(name);
  EXPECT_EQ(in.Size(), 0);
  std::remove(name.c_str());
}

TEST(StreamsTest, FileThatCannotBeOpenedOrCreatedRaises) {
  TMemoryStream stream;
  Fill(stream, {1, 2});
  try {
    stream.LoadFromFile("Streams_test_missing.bin");
    ADD_FAILURE() << "missing file loaded";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"Streams_test_missing.bin\"");
  }
  EXPECT_EQ(Contents(stream), (Bytes{1, 2}));
  try {
    stream.SaveToFile("no-such-folder/x.bin");
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file \"no-such-folder/x.bin\"");
    EXPECT_EQ(e.ClassName(), "EFCreateError");
  }
}
