#include "Registry.h"
#include "TypInfo.h"

#include <vector>

DEFINE_CLASS(TRegistry, TObject, ({}))

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == rootKey_) return;
  rootKey_ = Value;
  CloseKey();
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) { return Open(Key, CanCreate, access_); }

bool TRegistry::OpenKeyReadOnly(const std::string& Key) { return Open(Key, false, KEY_READ); }

bool TRegistry::Open(const std::string& key, bool canCreate, REGSAM access) {
  bool fromRoot = !key.empty() && key[0] == '\\';
  std::string path = fromRoot ? key.substr(1) : key;
  HKEY base = !fromRoot && CurrentKey() ? CurrentKey() : rootKey_;
  HKEY opened = nullptr;
  LONG result = !canCreate || path.empty()
                    ? RegOpenKeyExA(base, path.c_str(), 0, access, &opened)
                    : RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                      &opened, nullptr);
  if (result != ERROR_SUCCESS) return false;
  if (base != rootKey_) path = path.empty() ? currentPath_ : currentPath_ + "\\" + path;
  currentKey_.reset(opened);
  currentPath_ = path;
  return true;
}

void TRegistry::CloseKey() {
  currentKey_.reset();
  currentPath_.clear();
}

bool TRegistry::ValueExists(const std::string& Name) const {
  return CurrentKey() && RegQueryValueExA(CurrentKey(), Name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& Name) const {
  if (!CurrentKey()) return std::string();
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(CurrentKey(), Name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::string();
  std::vector<char> data;
  for (;;) {
    if (type != REG_SZ && type != REG_EXPAND_SZ)
      throw ERegistryException(Format("Invalid data type for '%s'", Name.c_str()));
    // One byte more than asked for: the stored text need not end in a NUL.
    data.assign(static_cast<size_t>(size) + 1, '\0');
    DWORD got = size;
    LONG result =
        RegQueryValueExA(CurrentKey(), Name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &got);
    if (result == ERROR_MORE_DATA) {  // the value grew since its size was asked
      size = got;
      continue;
    }
    if (result != ERROR_SUCCESS) return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ) continue;  // replaced by another type meanwhile: raises
    size = got < size ? got : size;
    break;
  }
  std::string text(data.data(), size);
  return text.substr(0, text.find('\0'));
}
