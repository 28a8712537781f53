// String lists: the abstract TStrings that controls implement over their windows, and the
// in-memory TStringList. Indexes count from 0; each string may carry an object (not owned).
#pragma once

#include <string>
#include <vector>

#include "Component.h"
#include "SysUtils.h"

class EStringListError : public Exception {
 public:
  using Exception::Exception;
  std::string ClassName() const override { return "EStringListError"; }
};

class TStrings : public TPersistent {
  DECLARE_CLASS(TStrings, TPersistent)
 public:
  TStrings() = default;
  // A list is a window's or an owner's part: copied with Assign, never by value.
  TStrings(const TStrings&) = delete;
  TStrings& operator=(const TStrings&) = delete;

  virtual int Count() const = 0;
  virtual std::string Strings(int Index) const = 0;
  // Replaces the string at Index and keeps its object.
  virtual void SetString(int Index, const std::string& S);
  virtual TObject* Objects(int Index) const;
  virtual void SetObject(int Index, TObject* AObject);

  // Return the index of the new string.
  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* AObject);
  virtual void Insert(int Index, const std::string& S) = 0;  // 0 <= Index <= Count
  virtual void InsertObject(int Index, const std::string& S, TObject* AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual void AddStrings(TStrings* Strings);
  // The first string equal to S regardless of ASCII letter case; -1 when there is none.
  virtual int IndexOf(const std::string& S) const;

  // Every string followed by CR LF.
  virtual std::string Text() const;
  // One string per line; a line ends at CR, LF or CR LF, and a last line break adds no empty string.
  virtual void SetText(const std::string& Value);

  // Nested pairs: SetUpdateState is called when the outermost pair begins and when it ends.
  void BeginUpdate();
  void EndUpdate();
  void Assign(TPersistent* Source) override;

 protected:
  virtual void SetUpdateState(bool Updating) { (void)Updating; }
  int UpdateCount() const { return updateCount_; }
  // Raises EStringListError "List index out of bounds (Index)".
  [[noreturn]] static void Error(int Index);

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
  DECLARE_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;

  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Strings(int Index) const override;
  void SetString(int Index, const std::string& S) override;
  TObject* Objects(int Index) const override;
  void SetObject(int Index, TObject* AObject) override;
  int AddObject(const std::string& S, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void InsertObject(int Index, const std::string& S, TObject* AObject) override;
  void Delete(int Index) override;
  void Clear() override;

  // Raised around every change, and only once around a BeginUpdate/EndUpdate pair.
  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;

 protected:
  void SetUpdateState(bool Updating) override;
  virtual void Changing();
  virtual void Changed();

 private:
  struct Item {
    std::string text;
    TObject* object = nullptr;
  };
  void Check(int Index) const;
  std::vector<Item> items_;
};
