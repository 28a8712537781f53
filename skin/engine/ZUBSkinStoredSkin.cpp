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

std::string MakeUniqueFileName(const std::string& Name) {
  auto taken = [](const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
  if (!taken(Name)) return Name;
  const std::string ext = ExtractFileExt(Name);
  const std::string stem = Name.substr(0, Name.size() - ext.size());
  for (int n = 1;; ++n) {
    std::string candidate = stem + std::to_string(n) + ext;
    if (!taken(candidate)) return candidate;
  }
}

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
    name = MakeUniqueFileName(GetTempFolder() + "ZUBSKNT.zub");
    TMemoryStream stream;
    if (!Bytes.empty()) stream.WriteBuffer(Bytes.data(), static_cast<int64_t>(Bytes.size()));
    stream.SaveToFile(name);
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
