#include "Streams.h"
#include "TypInfo.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

DEFINE_CLASS(TStream, TObject, ({}))
DEFINE_CLASS(TMemoryStream, TStream, ({}))

namespace {
constexpr int64_t kCopyChunk = 64 * 1024;
const char kReadError[] = "Stream read error";
const char kWriteError[] = "Stream write error";
const char kGrowError[] = "Out of memory while expanding memory stream";

// Resizes a byte buffer to a stream size, or raises EOutOfMemory and leaves it as it was.
void ResizeBytes(std::vector<uint8_t>& bytes, int64_t size) {
  if (static_cast<uint64_t>(size) > bytes.max_size()) throw EOutOfMemory(kGrowError);
  try {
    bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(kGrowError);
  } catch (const std::length_error&) {
    throw EOutOfMemory(kGrowError);
  }
}

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;
}  // namespace

int64_t TStream::SeekTarget(int64_t Base, int64_t Offset) {
  int64_t target = 0;
  if (__builtin_add_overflow(Base, Offset, &target) || target < 0) throw EStreamError("Invalid stream position");
  return target;
}

int64_t TStream::Size() {
  int64_t position = Seek(0, soFromCurrent);
  int64_t size = Seek(0, soFromEnd);
  Seek(position, soFromBeginning);
  return size;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count) {
  if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError(kReadError);
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count) {
  if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError(kWriteError);
}

int64_t TStream::CopyFrom(TStream* Source, int64_t Count) {
  if (!Source || Count < 0) throw EReadError(kReadError);
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min(Count, kCopyChunk)));
  for (int64_t left = Count; left > 0;) {
    int64_t n = std::min(left, kCopyChunk);
    Source->ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    left -= n;
  }
  return Count;
}

// ---------------------------------------------------------------------------------------------

int64_t TMemoryStream::Read(void* Buffer, int64_t Count) {
  int64_t size = Size();
  if (Count <= 0 || position_ >= size) return 0;
  int64_t n = std::min(Count, size - position_);
  std::memcpy(Buffer, data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count) {
  if (Count <= 0) return 0;
  int64_t end = 0;
  if (__builtin_add_overflow(position_, Count, &end)) throw EOutOfMemory(kGrowError);
  const uint8_t* source = static_cast<const uint8_t*>(Buffer);
  if (end > Size()) {
    // The source may lie in this stream's own memory, which growing moves.
    auto at = reinterpret_cast<uintptr_t>(source);
    auto begin = reinterpret_cast<uintptr_t>(data_.data());
    bool inside = !data_.empty() && at >= begin && at - begin < data_.size();
    ResizeBytes(data_, end);
    if (inside) source = data_.data() + (at - begin);
  }
  std::memmove(data_.data() + position_, source, static_cast<size_t>(Count));
  position_ = end;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  switch (Origin) {
    case soFromBeginning: position_ = SeekTarget(0, Offset); break;
    case soFromCurrent: position_ = SeekTarget(position_, Offset); break;
    case soFromEnd: position_ = SeekTarget(Size(), Offset); break;
    default: throw EStreamError("Invalid stream position");
  }
  return position_;
}

void TMemoryStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) throw EStreamError("Invalid stream size");
  ResizeBytes(data_, NewSize);
  position_ = std::min(position_, NewSize);
}

void TMemoryStream::Clear() {
  std::vector<uint8_t>().swap(data_);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
  if (!Stream) throw EReadError(kReadError);
  Stream->SetPosition(0);
  std::vector<uint8_t> bytes;
  ResizeBytes(bytes, Stream->Size());
  Stream->ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  data_.swap(bytes);
  position_ = 0;
}

void TMemoryStream::SaveToStream(TStream* Stream) {
  if (!Stream) throw EWriteError(kWriteError);
  Stream->WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& FileName) {
  FilePtr file(std::fopen(FileName.c_str(), "rb"));
  if (!file) throw EFOpenError(Format("Cannot open file \"%s\"", FileName.c_str()));
  // Read to the end rather than by a size asked first: the size may change while we read.
  std::vector<uint8_t> bytes;
  size_t used = 0;
  for (;;) {
    ResizeBytes(bytes, static_cast<int64_t>(used) + std::max<int64_t>(kCopyChunk, static_cast<int64_t>(used)));
    size_t got = std::fread(bytes.data() + used, 1, bytes.size() - used, file.get());
    used += got;
    if (used < bytes.size()) break;
  }
  if (std::ferror(file.get())) throw EReadError(kReadError);
  bytes.resize(used);
  bytes.shrink_to_fit();
  data_.swap(bytes);
  position_ = 0;
}

void TMemoryStream::SaveToFile(const std::string& FileName) {
  FilePtr file(std::fopen(FileName.c_str(), "wb"));
  if (!file) throw EFCreateError(Format("Cannot create file \"%s\"", FileName.c_str()));
  bool written = data_.empty() || std::fwrite(data_.data(), 1, data_.size(), file.get()) == data_.size();
  // Closing flushes: a full disk shows only here.
  if (std::fclose(file.release()) != 0) written = false;
  if (!written) throw EWriteError(kWriteError);
}
