#include "TypInfo.h"

#include <cctype>
#include <cstring>
#include <list>
#include <mutex>

const TTypeInfo IntegerType{"Integer", TTypeKind::Integer};
const TTypeInfo CardinalType{"Cardinal", TTypeKind::Integer};
const TTypeInfo Int64Type{"Int64", TTypeKind::Int64};
const TTypeInfo StringType{"string", TTypeKind::String};
namespace {
const char* const kBooleanNames[] = {"False", "True"};
}
const TTypeInfo BooleanType{"Boolean", TTypeKind::Enumeration, kBooleanNames, 2};

int TTypeInfo::EnumValue(const std::string& ident) const {
  for (int i = 0; i < count; ++i)
    if (strcasecmp(names[i], ident.c_str()) == 0) return i;
  return -1;
}

const char* TTypeInfo::EnumName(int value) const {
  return value >= 0 && value < count ? names[value] : nullptr;
}

bool TTypeInfo::IdentToInt(const std::string& ident, int32_t& value) const {
  for (const TIdentMapEntry* e = idents; e && e->name; ++e)
    if (strcasecmp(e->name, ident.c_str()) == 0) {
      value = e->value;
      return true;
    }
  return false;
}

const char* const* SplitEnumNames(const char* list, int& count) {
  static std::list<std::vector<std::string>> storage;  // lives as long as the type tables
  static std::list<std::vector<const char*>> pointers;
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  std::vector<std::string> names;
  std::string cur;
  for (const char* p = list;; ++p) {
    if (*p == ',' || *p == '\0') {
      names.push_back(cur);
      cur.clear();
      if (!*p) break;
    } else if (!isspace(static_cast<unsigned char>(*p))) {
      cur += *p;
    }
  }
  storage.push_back(std::move(names));
  std::vector<const char*> ptrs;
  for (const std::string& n : storage.back()) ptrs.push_back(n.c_str());
  pointers.push_back(std::move(ptrs));
  count = static_cast<int>(pointers.back().size());
  return pointers.back().data();
}

const TPropInfo* GetPropInfo(const TObject* obj, const std::string& name) {
  return obj ? obj->ClassType()->FindProperty(name) : nullptr;
}
