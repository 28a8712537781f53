// The registry reader: one open key at a time below a root key, and its string values.
#pragma once

#include <memory>
#include <string>
#include <type_traits>

#include "SysUtils.h"
#include "System.h"

class ERegistryException : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "ERegistryException"; }
};

class TRegistry : public TObject {
  DECLARE_CLASS(TRegistry, TObject)
 public:
  explicit TRegistry(REGSAM AAccess = KEY_ALL_ACCESS) : access_(AAccess) {}
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  HKEY RootKey() const { return rootKey_; }
  // Another root closes the open key.
  void SetRootKey(HKEY Value);
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM Value) { access_ = Value; }
  HKEY CurrentKey() const { return currentKey_.get(); }  // null while no key is open
  const std::string& CurrentPath() const { return currentPath_; }  // below the root, no leading '\'

  // Key is taken from the root when it begins with '\' or no key is open, else from the open key.
  // Opens with Access; only CanCreate creates a missing key. False, the open key unchanged, when
  // the key cannot be opened.
  bool OpenKey(const std::string& Key, bool CanCreate);
  // As OpenKey with KEY_READ, never creating; Access is unchanged.
  bool OpenKeyReadOnly(const std::string& Key);
  void CloseKey();

  // Both look in the open key; with none open there is no value.
  bool ValueExists(const std::string& Name) const;
  // The text of a REG_SZ or REG_EXPAND_SZ value (not expanded), empty when the value is missing;
  // raises ERegistryException "Invalid data type for 'Name'" for a value of any other type.
  std::string ReadString(const std::string& Name) const;

 private:
  struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
  };
  bool Open(const std::string& key, bool canCreate, REGSAM access);

  HKEY rootKey_ = HKEY_CURRENT_USER;
  REGSAM access_;
  std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser> currentKey_;
  std::string currentPath_;
};
