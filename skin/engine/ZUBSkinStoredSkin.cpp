#include "ZUBSkinStoredSkin.h"

#include <windows.h>

#include "Streams.h"
#include "SysUtils.h"
#include "ZUBSkinFile.h"

namespace zubskin {

std::string GetTempFolder() {
  char buffer[MAX_PATH + 1] = {};
  DWORD n = GetTempPathA(MAX_PATH, buffer);
  std::string folder = n > 0 && n < MAX_PATH ? std::string(buffer, n) : std::string();
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

namespace {

// The first of Name, then its stem with 1, 2, 3... before the extension, that can be made new:
// made empty and exclusively, so that two programs starting together never share one. A file
// or folder of that name is passed over; any other failure raises.
std::string CreateUniqueFile(const std::string& Name) {
  const std::string ext = ExtractFileExt(Name);
  const std::string stem = Name.substr(0, Name.size() - ext.size());
  for (int n = 0;; ++n) {
    const std::string candidate = n == 0 ? Name : stem + std::to_string(n) + ext;
    HANDLE file = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return candidate;
    }
    const DWORD error = GetLastError();
    // Access is denied to a folder, or to a file whose deletion is pending.
    const bool taken = error == ERROR_FILE_EXISTS ||
                       (error == ERROR_ACCESS_DENIED && GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES);
    if (!taken) throw EFCreateError(Format("Cannot create file \"%s\"", candidate.c_str()));
  }
}

}  // namespace

std::vector<uint8_t> ReadStreamBytes(TStream* Stream) {
  std::vector<uint8_t> bytes;
  const int64_t rest = Stream->Size() - Stream->Position();
  if (rest > 0) {
    bytes.resize(static_cast<size_t>(rest));
    Stream->ReadBuffer(bytes.data(), rest);
  }
  return bytes;
}

bool LoadThroughTempFile(const std::vector<uint8_t>& Bytes, const std::function<void(const std::string&)>& Load) {
  std::string name;
  bool ok = false;
  try {
    name = CreateUniqueFile(GetTempFolder() + "ZUBSKNT.zub");
    TMemoryStream stream;
    if (!Bytes.empty()) stream.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
    stream.SaveToFile(name);  // ours alone: made new above
    Load(name);
    ok = true;
  } catch (const std::exception&) {
  }
  if (!name.empty()) DeleteFileA(name.c_str());
  return ok;
}

void CopyFileToStream(const std::string& FileName, TStream* Stream) {
  std::vector<uint8_t> bytes;
  if (ReadFileBytes(FileName, bytes) != SkinReadStatus::Loaded || bytes.empty()) return;
  Stream->WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

}  // namespace zubskin
