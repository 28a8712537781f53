#include "FormReader.h"

#include <windows.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <vector>

#include "Component.h"
#include "Controls.h"
#include "Streams.h"
#include "StringList.h"
#include "SysUtils.h"

namespace {

// ---------------------------------------------------------------------------------------------
// The parsed description.

struct Value {
  enum Kind { Integer, String, Ident, Set, List, Collection, Binary } kind = Integer;
  int64_t integer = 0;
  std::string text;                // String, Ident; raw bytes for Binary
  std::vector<std::string> names;  // Set
  std::vector<Value> items;        // List
  std::vector<std::vector<std::pair<std::string, Value>>> collection;  // each item's properties
  int line = 0;
};

struct Node {
  std::string name, className;
  std::vector<std::pair<std::string, Value>> props;
  std::vector<Node> children;
  int line = 0;
};

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  Node ParseRoot() {
    Node root = ParseObject();
    SkipBlanks();
    if (pos_ < s_.size()) Fail("text after the end of the root object");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw EReadError("Form description, line " + std::to_string(line_) + ": " + what);
  }

  void SkipBlanks() {
    while (pos_ < s_.size()) {
      char c = s_[pos_];
      if (c == '\n') ++line_;
      if (!isspace(static_cast<unsigned char>(c))) break;
      ++pos_;
    }
  }

  bool Peek(char c) {
    SkipBlanks();
    return pos_ < s_.size() && s_[pos_] == c;
  }

  void Expect(char c) {
    if (!Peek(c)) Fail(std::string("'") + c + "' expected");
    ++pos_;
  }

  std::string Ident() {
    SkipBlanks();
    size_t start = pos_;
    while (pos_ < s_.size() && (isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_' || s_[pos_] == '.'))
      ++pos_;
    if (start == pos_) Fail("name expected");
    return s_.substr(start, pos_ - start);
  }

  Node ParseObject() {
    Node n;
    n.line = line_;
    std::string word = Ident();
    if (strcasecmp(word.c_str(), "object") != 0) Fail("'object' expected");
    n.name = Ident();
    Expect(':');
    n.className = Ident();
    for (;;) {
      SkipBlanks();
      size_t save = pos_;
      int saveLine = line_;
      std::string w = Ident();
      if (strcasecmp(w.c_str(), "end") == 0) break;
      if (strcasecmp(w.c_str(), "object") == 0) {
        pos_ = save;
        line_ = saveLine;
        n.children.push_back(ParseObject());
        continue;
      }
      Expect('=');
      n.props.emplace_back(w, ParseValue());
    }
    return n;
  }

  Value ParseValue() {
    SkipBlanks();
    if (pos_ >= s_.size()) Fail("value expected");
    Value v;
    v.line = line_;
    char c = s_[pos_];
    if (c == '\'' || c == '#') {
      v.kind = Value::String;
      v.text = ParseString();
      while (Peek('+')) {  // long strings are written in parts
        ++pos_;
        SkipBlanks();
        v.text += ParseString();
      }
    } else if (c == '-' || c == '+' || c == '$' || isdigit(static_cast<unsigned char>(c))) {
      v.kind = Value::Integer;
      v.integer = ParseInteger();
    } else if (c == '[') {
      ++pos_;
      v.kind = Value::Set;
      while (!Peek(']')) {
        v.names.push_back(Ident());
        if (Peek(',')) ++pos_;
        else if (!Peek(']')) Fail("',' or ']' expected");
      }
      ++pos_;
    } else if (c == '(') {
      ++pos_;
      v.kind = Value::List;
      while (!Peek(')')) v.items.push_back(ParseValue());
      ++pos_;
    } else if (c == '<') {
      ++pos_;
      v.kind = Value::Collection;
      while (!Peek('>')) {
        std::string w = Ident();
        if (strcasecmp(w.c_str(), "item") != 0) Fail("'item' expected");
        std::vector<std::pair<std::string, Value>> props;
        for (;;) {
          std::string p = Ident();
          if (strcasecmp(p.c_str(), "end") == 0) break;
          Expect('=');
          props.emplace_back(p, ParseValue());
        }
        v.collection.push_back(std::move(props));
      }
      ++pos_;
    } else if (c == '{') {
      ++pos_;
      v.kind = Value::Binary;
      int high = -1;
      for (;;) {
        if (pos_ >= s_.size()) Fail("'}' expected");
        char h = s_[pos_++];
        if (h == '}') break;
        if (h == '\n') ++line_;
        if (isspace(static_cast<unsigned char>(h))) continue;
        int d = isdigit(static_cast<unsigned char>(h)) ? h - '0'
                : (h >= 'A' && h <= 'F')               ? h - 'A' + 10
                : (h >= 'a' && h <= 'f')               ? h - 'a' + 10
                                                       : -1;
        if (d < 0) Fail("hexadecimal digit expected in binary data");
        if (high < 0) {
          high = d;
        } else {
          v.text += static_cast<char>(high * 16 + d);
          high = -1;
        }
      }
      if (high >= 0) Fail("odd number of hexadecimal digits in binary data");
    } else {
      v.kind = Value::Ident;
      v.text = Ident();
    }
    return v;
  }

  int64_t ParseInteger() {
    bool negative = false;
    if (s_[pos_] == '-' || s_[pos_] == '+') negative = s_[pos_++] == '-';
    int base = 10;
    if (pos_ < s_.size() && s_[pos_] == '$') {
      base = 16;
      ++pos_;
    }
    size_t start = pos_;
    int64_t value = 0;
    while (pos_ < s_.size() && isxdigit(static_cast<unsigned char>(s_[pos_]))) {
      char c = s_[pos_];
      int d = isdigit(static_cast<unsigned char>(c)) ? c - '0' : (toupper(c) - 'A' + 10);
      if (d >= base) break;
      value = value * base + d;
      if (value > 0xFFFFFFFFLL) Fail("number too large");
      ++pos_;
    }
    if (start == pos_) Fail("number expected");
    return negative ? -value : value;
  }

  std::string ParseString() {
    std::string out;
    for (;;) {
      if (pos_ < s_.size() && s_[pos_] == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= s_.size() || s_[pos_] == '\n') Fail("unterminated string");
          char c = s_[pos_++];
          if (c == '\'') {
            if (pos_ < s_.size() && s_[pos_] == '\'') {
              out += '\'';
              ++pos_;
              continue;
            }
            break;
          }
          out += c;
        }
      } else if (pos_ < s_.size() && s_[pos_] == '#') {
        ++pos_;
        size_t start = pos_;
        int code = 0;
        while (pos_ < s_.size() && isdigit(static_cast<unsigned char>(s_[pos_]))) code = code * 10 + (s_[pos_++] - '0');
        if (start == pos_ || code > 255) Fail("character code expected");
        out += static_cast<char>(code);
      } else {
        return out;
      }
    }
  }

  const std::string& s_;
  size_t pos_ = 0;
  int line_ = 1;
};

// ---------------------------------------------------------------------------------------------
// Applying a description to objects.

class Filer : public TFiler {
 public:
  explicit Filer(const std::string& name) : name_(name) {}
  void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc, bool) override {
    if (strcasecmp(Name.c_str(), name_.c_str()) == 0) read_ = ReadData, found_ = true;
  }
  bool found_ = false;
  TStreamProc read_;

 private:
  std::string name_;
};

struct Fixup {
  TObject* obj;
  const TPropInfo* prop;
  std::string target;
  std::string where;
};

class Reader {
 public:
  explicit Reader(TComponent* root) : root_(root) {}

  void Read(const Node& node) {
    if (strcasecmp(node.className.c_str(), root_->ClassName().c_str()) != 0)
      throw EReadError("Form description is for " + node.className + ", not " + root_->ClassName());
    root_->BeginLoading();
    loaded_.push_back(root_);
    try {
      if (root_->Name().empty()) root_->SetName(UniqueRootName(node.name));
      ReadBody(root_, node);
      for (const Fixup& f : fixups_) {
        TComponent* target = root_->FindComponent(f.target);
        if (!target && strcasecmp(f.target.c_str(), root_->Name().c_str()) == 0) target = root_;
        if (!target) throw EReadError("Error reading " + f.where + ": no component named " + f.target);
        if (!target->InheritsFrom(f.prop->type->Cls()))
          throw EReadError("Error reading " + f.where + ": " + f.target + " is not a " + f.prop->type->Cls()->name);
        f.prop->set(f.obj, TValue::Obj(target));
      }
    } catch (...) {
      // Free what this read created, last first; the root stays for its creator to free.
      for (auto it = created_.rbegin(); it != created_.rend(); ++it) (*it)->Free();
      root_->CancelLoading();
      throw;
    }
    for (TComponent* c : loaded_) c->EndReading();
    for (TComponent* c : loaded_) c->Loaded();
  }

 private:
  // A second form of a class whose first is still alive is named Form1_1, Form1_2...
  std::string UniqueRootName(const std::string& name) {
    TComponent* owner = root_->Owner();
    if (!owner || !owner->FindComponent(name)) return name;
    for (int n = 1;; ++n) {
      std::string candidate = name + "_" + std::to_string(n);
      if (!owner->FindComponent(candidate)) return candidate;
    }
  }

  void ReadBody(TComponent* obj, const Node& node) {
    for (const auto& [name, value] : node.props) SetProperty(obj, name, value, node.name);
    for (const Node& child : node.children) ReadChild(obj, child);
  }

  void ReadChild(TComponent* container, const Node& node) {
    TClass cls = FindClass(node.className);
    if (!cls) throw EReadError("Line " + std::to_string(node.line) + ": class " + node.className + " not found");
    if (!cls->create) throw EReadError("Line " + std::to_string(node.line) + ": class " + node.className + " cannot be created");
    TComponent* obj = CreateComponent(cls, root_);
    created_.push_back(obj);
    obj->BeginLoading();
    loaded_.push_back(obj);
    obj->SetName(node.name);
    // Controls take the enclosing window control as their parent; others hear of their container.
    if (auto* control = As<TControl>(obj)) {
      TWinControl* parent = As<TWinControl>(container);
      if (parent) control->SetParent(parent);
    } else {
      obj->SetParentComponent(container);
    }
    ReadBody(obj, node);
  }

  void SetProperty(TObject* obj, const std::string& path, const Value& v, const std::string& owner) {
    std::string where = owner + "." + path;
    try {
      TObject* target = obj;
      std::string name = path;
      for (size_t dot; (dot = name.find('.')) != std::string::npos;) {
        std::string head = name.substr(0, dot);
        const TPropInfo* p = GetPropInfo(target, head);
        if (!p || p->type->kind != TTypeKind::Class) throw EReadError("property " + head + " does not exist");
        target = p->get(target).obj;
        if (!target) throw EReadError("property " + head + " holds no object");
        name = name.substr(dot + 1);
      }
      Assign(target, name, v, where);
    } catch (const EReadError& e) {
      if (e.Message().rfind("Error reading", 0) == 0) throw;
      throw EReadError("Error reading " + where + ": " + e.Message());
    } catch (const Exception& e) {
      throw EReadError("Error reading " + where + ": " + e.Message());
    }
  }

  void Assign(TObject* obj, const std::string& name, const Value& v, const std::string& where) {
    if (auto* strings = As<TStrings>(obj); strings && strcasecmp(name.c_str(), "Strings") == 0) {
      if (v.kind != Value::List) throw EReadError("a list of strings expected");
      strings->BeginUpdate();
      strings->Clear();
      for (const Value& item : v.items) {
        if (item.kind != Value::String) throw EReadError("a string expected in the list");
        strings->Add(item.text);
      }
      strings->EndUpdate();
      return;
    }
    const TPropInfo* p = GetPropInfo(obj, name);
    if (!p && v.kind == Value::Integer && !As<TControl>(obj) && As<TComponent>(obj) &&
        (strcasecmp(name.c_str(), "Left") == 0 || strcasecmp(name.c_str(), "Top") == 0)) {
      // The designer's position of a non-visual component.
      auto* c = static_cast<TComponent*>(obj);
      int32_t info = c->DesignInfo();
      int32_t word = static_cast<uint16_t>(v.integer);
      info = strcasecmp(name.c_str(), "Left") == 0 ? (info & ~0xFFFF) | word : (info & 0xFFFF) | (word << 16);
      c->SetDesignInfo(info);
      return;
    }
    if (!p) {
      auto* persistent = As<TPersistent>(obj);
      if (persistent && v.kind == Value::Binary) {
        Filer filer(name);
        persistent->DefineProperties(&filer);
        if (filer.found_) {
          TMemoryStream stream;
          stream.Write(v.text.data(), static_cast<int64_t>(v.text.size()));
          stream.SetPosition(0);
          if (filer.read_) filer.read_(&stream);
          return;
        }
      }
      throw EReadError("property " + name + " does not exist");
    }
    const TTypeInfo* t = p->type;
    if (t->kind == TTypeKind::Class) {
      if (v.kind == Value::Collection) return ReadCollection(p->get(obj).obj, v, where);
      if (v.kind == Value::Ident && p->set) {
        fixups_.push_back({obj, p, v.text, where});
        return;
      }
      throw EReadError("wrong kind of value for " + name);
    }
    if (!p->set) throw EReadError("property " + name + " is read-only");
    p->set(obj, Convert(t, v, name));
  }

  TValue Convert(const TTypeInfo* t, const Value& v, const std::string& name) {
    switch (t->kind) {
      case TTypeKind::Integer:
      case TTypeKind::Int64: {
        if (v.kind == Value::Integer) return TValue::Int(v.integer);
        int32_t n;
        if (v.kind == Value::Ident && t->IdentToInt(v.text, n)) return TValue::Int(n);
        throw EReadError("invalid value for " + name + " (" + t->name + ")");
      }
      case TTypeKind::Enumeration: {
        int e = v.kind == Value::Ident ? t->EnumValue(v.text) : -1;
        if (e < 0) throw EReadError("invalid value " + v.text + " for " + name + " (" + t->name + ")");
        return TValue::Int(e);
      }
      case TTypeKind::Set: {
        if (v.kind != Value::Set) throw EReadError("a set expected for " + name);
        uint32_t mask = 0;
        for (const std::string& n : v.names) {
          int e = t->EnumValue(n);
          if (e < 0) throw EReadError("invalid set element " + n + " for " + name + " (" + t->name + ")");
          mask |= 1u << e;
        }
        return TValue::Int(mask);
      }
      case TTypeKind::String:
        if (v.kind != Value::String) throw EReadError("a string expected for " + name);
        return TValue::Str(v.text);
      case TTypeKind::Method: {
        if (v.kind != Value::Ident) throw EReadError("a handler name expected for " + name);
        const TMethodInfo* m = root_->ClassType()->FindMethod(v.text);
        if (!m) throw EReadError("handler " + v.text + " not found in " + root_->ClassName());
        if (*m->signature != *t->signature) throw EReadError("handler " + v.text + " does not fit " + t->name);
        return TValue::Meth(m->bind(root_));
      }
      case TTypeKind::Class: break;
    }
    throw EReadError("cannot set " + name);
  }

  void ReadCollection(TObject* obj, const Value& v, const std::string& where) {
    auto* collection = As<TCollection>(obj);
    if (!collection) throw EReadError("not a collection");
    collection->BeginUpdate();
    try {
      collection->Clear();
      for (const auto& props : v.collection) {
        TCollectionItem* item = collection->Add();
        for (const auto& [name, value] : props) SetProperty(item, name, value, where);
      }
    } catch (...) {
      collection->EndUpdate();
      throw;
    }
    collection->EndUpdate();
  }

  TComponent* root_;
  std::vector<TComponent*> created_;
  std::vector<TComponent*> loaded_;
  std::vector<Fixup> fixups_;
};

}  // namespace

void ReadComponentText(TComponent* Root, const std::string& Text) {
  Node node = Parser(Text).ParseRoot();
  Reader(Root).Read(node);
}

std::string LoadFormResource(const std::string& ResourceName) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(module, ResourceName.c_str(), MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (!res) throw EResNotFound("Resource " + ResourceName + " not found");
  HGLOBAL data = LoadResource(module, res);
  const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!bytes) throw EResNotFound("Resource " + ResourceName + " cannot be loaded");
  return std::string(bytes, SizeofResource(module, res));
}
