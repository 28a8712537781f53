#include "StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using Lines = std::vector<std::string>;

Lines Contents(const TStrings& list) {
  Lines lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Strings(i));
  return lines;
}

void Fill(TStrings& list, const Lines& lines) {
  for (const std::string& line : lines) list.Add(line);
}

// Records OnChanging/OnChange with the count the list had at that moment.
struct ChangeLog {
  explicit ChangeLog(TStringList& list) : list(list) {
    list.OnChanging = TNotifyEvent::Bind<&ChangeLog::Changing>(this);
    list.OnChange = TNotifyEvent::Bind<&ChangeLog::Change>(this);
  }
  void Changing(TObject* sender) {
    EXPECT_EQ(sender, &list);
    events.push_back("changing " + std::to_string(list.Count()));
  }
  void Change(TObject* sender) {
    EXPECT_EQ(sender, &list);
    events.push_back("change " + std::to_string(list.Count()));
  }
  TStringList& list;
  Lines events;
};

// A list kept elsewhere, as a control keeps its items: only the abstract operations are its own.
class WindowLines : public TStrings {
 public:
  int Count() const override { return static_cast<int>(items.size()); }
  std::string Strings(int Index) const override { return items.at(Index); }
  void Insert(int Index, const std::string& S) override {
    items.insert(items.begin() + Index, S);
    log.push_back("insert");
  }
  void Delete(int Index) override {
    items.erase(items.begin() + Index);
    log.push_back("delete");
  }
  void Clear() override {
    items.clear();
    log.push_back("clear");
  }
  Lines items;
  Lines log;

 protected:
  void SetUpdateState(bool Updating) override { log.push_back(Updating ? "redraw off" : "redraw on"); }
};

TObject* Tag(int n) { return reinterpret_cast<TObject*>(static_cast<uintptr_t>(0x1000 + n)); }
}  // namespace

TEST(StringListTest, TextEndsEveryLineWithCrLf) {
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  Fill(list, {"a", "", "b c"});
  EXPECT_EQ(list.Text(), "a\r\n\r\nb c\r\n");
}

TEST(StringListTest, SetTextSplitsAtCrLfOrCrLf) {
  struct Case {
    const char* text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"abc", {"abc"}},
      {"a\rb", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\n", {""}},
      {"\r\n\r", {"", ""}},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.Add("old");
    list.SetText(c.text);
    EXPECT_EQ(Contents(list), c.lines) << '"' << c.text << '"';
  }
}

TEST(StringListTest, TextRoundTripKeepsEveryLine) {
  for (const Lines& lines : {Lines{}, Lines{""}, Lines{"a"}, Lines{"a", ""}, Lines{"", "", ""}, Lines{"x y", "\tz"}}) {
    TStringList list, copy;
    Fill(list, lines);
    copy.SetText(list.Text());
    EXPECT_EQ(Contents(copy), lines) << list.Text();
  }
}

TEST(StringListTest, EveryChangeIsAnnouncedBeforeAndAfter) {
  TStringList list;
  ChangeLog log(list);
  list.Add("a");
  list.Insert(0, "b");
  list.SetString(1, "c");
  list.SetObject(1, Tag(1));
  list.AddObject("d", Tag(2));
  list.Delete(0);
  list.Clear();
  list.Clear();  // already empty: nothing changes
  EXPECT_EQ(log.events, (Lines{"changing 0", "change 1", "changing 1", "change 2", "changing 2", "change 2",
                               "changing 2", "change 2", "changing 2", "change 3", "changing 3", "change 2",
                               "changing 2", "change 0"}));
}

TEST(StringListTest, NestedUpdatesAnnounceOnceAtTheOutermostPair) {
  TStringList list;
  ChangeLog log(list);
  list.BeginUpdate();
  list.Add("a");
  list.BeginUpdate();
  list.Add("b");
  list.EndUpdate();
  EXPECT_EQ(log.events, Lines{"changing 0"});
  list.Add("c");
  list.EndUpdate();
  EXPECT_EQ(log.events, (Lines{"changing 0", "change 3"}));
}

TEST(StringListTest, BulkOperationsAnnounceOneChange) {
  TStringList source;
  Fill(source, {"x", "y"});
  struct Case {
    const char* name;
    void (*run)(TStringList& list, TStringList& source);
  } cases[] = {
      {"SetText", [](TStringList& l, TStringList&) { l.SetText("1\r\n2\r\n3"); }},
      {"Assign", [](TStringList& l, TStringList& s) { l.Assign(&s); }},
      {"AddStrings", [](TStringList& l, TStringList& s) { l.AddStrings(&s); }},
  };
  for (const Case& c : cases) {
    TStringList list;
    list.Add("old");
    ChangeLog log(list);
    c.run(list, source);
    EXPECT_EQ(log.events.size(), 2u) << c.name;
  }
}

TEST(StringListTest, UnmatchedEndUpdateDoesNotSilenceTheList) {
  TStringList list;
  ChangeLog log(list);
  list.EndUpdate();
  list.Add("a");
  EXPECT_EQ(log.events, (Lines{"changing 0", "change 1"}));
}

TEST(StringListTest, ObjectsStayWithTheirStrings) {
  TStringList list;
  list.AddObject("a", Tag(1));
  list.AddObject("c", Tag(3));
  list.InsertObject(1, "b", Tag(2));
  list.Insert(0, "none");
  EXPECT_EQ(list.Objects(0), nullptr);
  EXPECT_EQ(list.Objects(2), Tag(2));
  list.Delete(1);
  list.SetString(1, "B");
  EXPECT_EQ(Contents(list), (Lines{"none", "B", "c"}));
  EXPECT_EQ(list.Objects(1), Tag(2));
  EXPECT_EQ(list.Objects(2), Tag(3));

  TStringList copy;
  copy.Assign(&list);
  EXPECT_EQ(Contents(copy), Contents(list));
  EXPECT_EQ(copy.Objects(2), Tag(3));
}

TEST(StringListTest, IndexOutsideTheListRaises) {
  TStringList list;
  Fill(list, {"a", "b", "c"});
  ChangeLog log(list);
  struct Case {
    int index;
    void (*run)(TStringList& list);
  } cases[] = {
      {-1, [](TStringList& l) { l.Strings(-1); }},
      {3, [](TStringList& l) { l.Strings(3); }},
      {3, [](TStringList& l) { l.SetString(3, "x"); }},
      {3, [](TStringList& l) { l.Objects(3); }},
      {-1, [](TStringList& l) { l.SetObject(-1, nullptr); }},
      {3, [](TStringList& l) { l.Delete(3); }},
      {4, [](TStringList& l) { l.Insert(4, "x"); }},
      {-1, [](TStringList& l) { l.InsertObject(-1, "x", nullptr); }},
  };
  for (const Case& c : cases) {
    try {
      c.run(list);
      ADD_FAILURE() << "index " << c.index << " was accepted";
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "List index out of bounds (" + std::to_string(c.index) + ")");
      EXPECT_EQ(e.ClassName(), "EStringListError");
    }
  }
  EXPECT_TRUE(log.events.empty());
  EXPECT_EQ(Contents(list), (Lines{"a", "b", "c"}));
  list.Insert(3, "d");  // the end itself is a valid place
  EXPECT_EQ(list.Strings(3), "d");
}

TEST(StringListTest, IndexOfIgnoresLetterCase) {
  TStringList list;
  Fill(list, {"Alpha", "beta", "BETA"});
  EXPECT_EQ(list.IndexOf("ALPHA"), 0);
  EXPECT_EQ(list.IndexOf("Beta"), 1);
  EXPECT_EQ(list.IndexOf("gamma"), -1);
  EXPECT_EQ(list.IndexOf(""), -1);
}

TEST(StringListTest, ListAddedOrAssignedToItselfStaysWhole) {
  TStringList list;
  Fill(list, {"a", "b"});
  list.Assign(&list);
  EXPECT_EQ(Contents(list), (Lines{"a", "b"}));
  list.AddStrings(&list);
  EXPECT_EQ(Contents(list), (Lines{"a", "b", "a", "b"}));
}

TEST(StringListTest, AssignFromAnotherKindOfObjectRaises) {
  TStringList list;
  TPersistent other;
  EXPECT_THROW(list.Assign(&other), EConvertError);
}

TEST(StringListTest, StringListIsAStreamableClass) {
  TStringList list;
  EXPECT_EQ(list.ClassName(), "TStringList");
  EXPECT_TRUE(list.Is<TStrings>());
  EXPECT_TRUE(list.Is<TPersistent>());
  EXPECT_EQ(TStrings::StaticClass()->parent, TPersistent::StaticClass());
}

TEST(StringListTest, WindowBackedListIsRedrawnOnceForBulkChanges) {
  WindowLines lines;
  lines.SetText("a\r\nb");
  EXPECT_EQ(lines.log, (Lines{"redraw off", "clear", "insert", "insert", "redraw on"}));

  lines.log.clear();
  lines.SetString(0, "A");  // through Delete and Insert, as one change
  EXPECT_EQ(lines.log, (Lines{"redraw off", "delete", "insert", "redraw on"}));
  EXPECT_EQ(lines.items, (Lines{"A", "b"}));

  TStringList source;
  Fill(source, {"x", "y", "z"});
  lines.log.clear();
  lines.Assign(&source);
  EXPECT_EQ(lines.log, (Lines{"redraw off", "clear", "insert", "insert", "insert", "redraw on"}));
  EXPECT_EQ(lines.items, (Lines{"x", "y", "z"}));
  EXPECT_EQ(lines.Text(), "x\r\ny\r\nz\r\n");
  EXPECT_EQ(lines.IndexOf("Z"), 2);
  EXPECT_THROW(lines.Objects(3), EStringListError);
}
