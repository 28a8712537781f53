#include "StringList.h"

#include <exception>

DEFINE_CLASS(TStrings, TPersistent, ({}))
DEFINE_CLASS(TStringList, TStrings, ({}))

namespace {
// Holds a list in its update state for a scope; an exception already passing is not replaced
// by one from the closing EndUpdate.
class UpdateScope {
 public:
  explicit UpdateScope(TStrings& list) : list_(list), pending_(std::uncaught_exceptions()) { list_.BeginUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;
  ~UpdateScope() noexcept(false) {
    if (std::uncaught_exceptions() > pending_) {
      try {
        list_.EndUpdate();
      } catch (...) {
      }
    } else {
      list_.EndUpdate();
    }
  }

 private:
  TStrings& list_;
  int pending_;
};

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  return true;
}
}  // namespace

void TStrings::Error(int Index) { throw EStringListError(Format("List index out of bounds (%d)", Index)); }

void TStrings::SetString(int Index, const std::string& S) {
  TObject* object = Objects(Index);
  UpdateScope update(*this);
  Delete(Index);
  InsertObject(Index, S, object);
}

TObject* TStrings::Objects(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return nullptr;
}

void TStrings::SetObject(int Index, TObject* AObject) {
  (void)AObject;
  if (Index < 0 || Index >= Count()) Error(Index);
}

int TStrings::Add(const std::string& S) {
  int index = Count();
  Insert(index, S);
  return index;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int index = Add(S);
  SetObject(index, AObject);
  return index;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  SetObject(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings) {
  if (!Strings) return;
  // Counted first, so that adding a list to itself doubles it once.
  int count = Strings->Count();
  UpdateScope update(*this);
  for (int i = 0; i < count; ++i) AddObject(Strings->Strings(i), Strings->Objects(i));
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (SameTextAscii(Strings(i), S)) return i;
  return -1;
}

std::string TStrings::Text() const {
  std::string text;
  for (int i = 0, n = Count(); i < n; ++i) {
    text += Strings(i);
    text += "\r\n";
  }
  return text;
}

void TStrings::SetText(const std::string& Value) {
  UpdateScope update(*this);
  Clear();
  size_t start = 0;
  while (start < Value.size()) {
    size_t end = Value.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      Add(Value.substr(start));
      break;
    }
    Add(Value.substr(start, end - start));
    start = end + 1;
    if (Value[end] == '\r' && start < Value.size() && Value[start] == '\n') ++start;
  }
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  // An unmatched EndUpdate would otherwise silence the list for good.
  if (updateCount_ == 0) return;
  if (--updateCount_ == 0) SetUpdateState(false);
}

void TStrings::Assign(TPersistent* Source) {
  if (TStrings* source = As<TStrings>(Source)) {
    if (source == this) return;
    UpdateScope update(*this);
    Clear();
    AddStrings(source);
    return;
  }
  inherited::Assign(Source);
}

// ---------------------------------------------------------------------------------------------

void TStringList::Check(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
}

std::string TStringList::Strings(int Index) const {
  Check(Index);
  return items_[Index].text;
}

void TStringList::SetString(int Index, const std::string& S) {
  Check(Index);
  Changing();
  items_[Index].text = S;
  Changed();
}

TObject* TStringList::Objects(int Index) const {
  Check(Index);
  return items_[Index].object;
}

void TStringList::SetObject(int Index, TObject* AObject) {
  Check(Index);
  Changing();
  items_[Index].object = AObject;
  Changed();
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  int index = Count();
  InsertObject(index, S, AObject);
  return index;
}

void TStringList::Insert(int Index, const std::string& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(int Index, const std::string& S, TObject* AObject) {
  if (Index < 0 || Index > Count()) Error(Index);
  Changing();
  items_.insert(items_.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  Check(Index);
  Changing();
  items_.erase(items_.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (items_.empty()) return;
  Changing();
  items_.clear();
  Changed();
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) Changing();
  else Changed();
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}
