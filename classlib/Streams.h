// Streams: the abstract TStream, the in-memory TMemoryStream and, on Win32, TFileStream.
// Positions and sizes are 64-bit byte counts; a position may lie beyond the end (a write there
// fills the gap with zero bytes) but never before the start.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "SysUtils.h"
#include "System.h"

// A seek before the start or beyond the 64-bit range, or a negative size.
class EStreamError : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EStreamError"; }
};

class EWriteError : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EWriteError"; }
};

class EFCreateError : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EFCreateError"; }
};

enum TSeekOrigin : uint16_t { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
  DECLARE_CLASS(TStream, TObject)
 public:
  TStream() = default;
  TStream(const TStream&) = delete;
  TStream& operator=(const TStream&) = delete;

  // Return the number of bytes moved, fewer at the end of the data; 0 for Count <= 0.
  virtual int64_t Read(void* Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
  // Returns the new position; raises EStreamError, the position unchanged, for a target before
  // the start, beyond the 64-bit range or with an unknown origin.
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  virtual int64_t Size();
  // A position beyond the new size moves to the new end.
  virtual void SetSize(int64_t NewSize) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t Pos) { Seek(Pos, soFromBeginning); }

  // Raise EReadError "Stream read error" / EWriteError "Stream write error" when fewer than
  // Count bytes move (also for a negative Count).
  void ReadBuffer(void* Buffer, int64_t Count);
  void WriteBuffer(const void* Buffer, int64_t Count);
  // Copies Count bytes from Source's position, or with Count 0 the whole of Source from its
  // start; returns the number copied.
  int64_t CopyFrom(TStream* Source, int64_t Count);

 protected:
  // Base + Offset as a position; raises EStreamError when it is negative or out of range.
  static int64_t SeekTarget(int64_t Base, int64_t Offset);
};

class TMemoryStream : public TStream {
  DECLARE_CLASS(TMemoryStream, TStream)
 public:
  TMemoryStream() = default;

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  // Raises EOutOfMemory when the memory cannot be had; the stream is then unchanged.
  void SetSize(int64_t NewSize) override;

  // The Size bytes of the stream; valid until the size changes.
  uint8_t* Memory() { return data_.data(); }
  const uint8_t* Memory() const { return data_.data(); }
  void Clear();

  // The loads replace the whole content and leave the position at 0; a failed load leaves the
  // stream as it was. The saves write the whole content whatever the position.
  void LoadFromStream(TStream* Stream);
  void SaveToStream(TStream* Stream);
  // Raise EFOpenError "Cannot open file "name"" / EFCreateError "Cannot create file "name"";
  // a failing read or write raises EReadError / EWriteError.
  void LoadFromFile(const std::string& FileName);
  void SaveToFile(const std::string& FileName);

 private:
  std::vector<uint8_t> data_;
  int64_t position_ = 0;
};

#ifdef _WIN32
// Open modes: one access mode, or fmCreate, combined with one share mode.
enum : uint16_t {
  fmCreate = 0xFF00,  // creates the file or empties an existing one; read and write access
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,  // as exclusive
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
};

class TFileStream : public TStream {
  DECLARE_CLASS(TFileStream, TStream)
 public:
  // Raises EFCreateError "Cannot create file "name"" (fmCreate) or EFOpenError
  // "Cannot open file "name"", also for a mode that combines no valid access and share mode.
  TFileStream(const std::string& FileName, uint16_t Mode);

  int64_t Read(void* Buffer, int64_t Count) override;
  int64_t Write(const void* Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  // Raises EWriteError when the file cannot be cut or extended.
  void SetSize(int64_t NewSize) override;

  HANDLE Handle() const { return handle_.get(); }
  const std::string& FileName() const { return fileName_; }

 private:
  struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
  };
  std::unique_ptr<void, HandleCloser> handle_;
  std::string fileName_;
};
#endif
