#include "System.h"

#include <cstring>
#include <map>

#include "TypInfo.h"

namespace {
// Case-insensitive, as identifiers in form resources are.
struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const { return strcasecmp(a.c_str(), b.c_str()) < 0; }
};
std::map<std::string, TClass, NoCase>& Registry() {
  static std::map<std::string, TClass, NoCase> classes;  // the class registry: one per program
  return classes;
}
}  // namespace

TClass TObject::StaticClass() {
  static const TClassInfo info{"TObject", nullptr, nullptr, nullptr, 0, nullptr, 0};
  return &info;
}

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

void RegisterComponentClass(TClass cls) { Registry()[cls->name] = cls; }

TClass FindClass(const std::string& name) {
  auto it = Registry().find(name);
  return it == Registry().end() ? nullptr : it->second;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
  for (TClass c = this; c; c = c->parent)
    for (int i = 0; i < c->propCount; ++i)
      if (strcasecmp(c->props[i].name, name.c_str()) == 0) return &c->props[i];
  return nullptr;
}

const TMethodInfo* TClassInfo::FindMethod(const std::string& name) const {
  for (TClass c = this; c; c = c->parent)
    for (int i = 0; i < c->methodCount; ++i)
      if (strcasecmp(c->methods[i].name, name.c_str()) == 0) return &c->methods[i];
  return nullptr;
}
