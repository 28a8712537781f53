// TFileStream: a stream over a Win32 file handle.
#include "Streams.h"
#include "TypInfo.h"

#include <algorithm>
#include <iterator>

DEFINE_CLASS(TFileStream, TStream, ({}))

namespace {
// One ReadFile or WriteFile moves at most a DWORD's worth; larger counts go in pieces.
constexpr int64_t kMaxPiece = 1 << 30;

const DWORD kShareModes[] = {
    0,                                    // fmShareCompat
    0,                                    // fmShareExclusive
    FILE_SHARE_READ,                      // fmShareDenyWrite
    FILE_SHARE_WRITE,                     // fmShareDenyRead
    FILE_SHARE_READ | FILE_SHARE_WRITE,   // fmShareDenyNone
};
const DWORD kAccessModes[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};

HANDLE OpenFile(const std::string& fileName, uint16_t mode) {
  bool create = (mode & 0xFF00) == fmCreate;
  unsigned kind = mode & 0xFF00;
  unsigned share = (mode & 0x00F0) >> 4;
  unsigned access = mode & 0x000F;
  if ((kind != 0 && !create) || share >= std::size(kShareModes) || access >= std::size(kAccessModes))
    return INVALID_HANDLE_VALUE;
  return CreateFileA(fileName.c_str(), create ? GENERIC_READ | GENERIC_WRITE : kAccessModes[access],
                     kShareModes[share], nullptr, create ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}
}  // namespace

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : fileName_(FileName) {
  HANDLE handle = OpenFile(FileName, Mode);
  if (handle == INVALID_HANDLE_VALUE) {
    if ((Mode & 0xFF00) == fmCreate) throw EFCreateError(Format("Cannot create file \"%s\"", FileName.c_str()));
    throw EFOpenError(Format("Cannot open file \"%s\"", FileName.c_str()));
  }
  handle_.reset(handle);
}

int64_t TFileStream::Read(void* Buffer, int64_t Count) {
  auto* bytes = static_cast<uint8_t*>(Buffer);
  int64_t done = 0;
  while (done < Count) {
    DWORD want = static_cast<DWORD>(std::min(Count - done, kMaxPiece));
    DWORD got = 0;
    if (!ReadFile(Handle(), bytes + done, want, &got, nullptr)) break;
    done += got;
    if (got < want) break;
  }
  return done;
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count) {
  auto* bytes = static_cast<const uint8_t*>(Buffer);
  int64_t done = 0;
  while (done < Count) {
    DWORD want = static_cast<DWORD>(std::min(Count - done, kMaxPiece));
    DWORD put = 0;
    if (!WriteFile(Handle(), bytes + done, want, &put, nullptr)) break;
    done += put;
    if (put < want) break;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin) {
  LARGE_INTEGER base{};
  switch (Origin) {
    case soFromBeginning: break;
    case soFromCurrent: {
      LARGE_INTEGER zero{};
      if (!SetFilePointerEx(Handle(), zero, &base, FILE_CURRENT)) throw EStreamError("Invalid stream position");
      break;
    }
    case soFromEnd:
      if (!GetFileSizeEx(Handle(), &base)) throw EStreamError("Invalid stream position");
      break;
    default: throw EStreamError("Invalid stream position");
  }
  // Checked here: the platform would take an overflowing target as a negative one, or wrap it.
  LARGE_INTEGER target{};
  target.QuadPart = SeekTarget(base.QuadPart, Offset);
  if (!SetFilePointerEx(Handle(), target, nullptr, FILE_BEGIN)) throw EStreamError("Invalid stream position");
  return target.QuadPart;
}

void TFileStream::SetSize(int64_t NewSize) {
  if (NewSize < 0) throw EStreamError("Invalid stream size");
  int64_t position = Position();
  Seek(NewSize, soFromBeginning);
  bool cut = SetEndOfFile(Handle()) != FALSE;
  Seek(std::min(position, cut ? NewSize : Size()), soFromBeginning);
  if (!cut) throw EWriteError("Stream write error");
}
