// The engine component on real forms under Wine: defaults and misuse, stored skins read from a
// form description, the skin file search, the derived metrics and the window list.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "EngineTesting.h"
#include "FormReader.h"
#include "SysUtils.h"

namespace {

// The unit's start-up and finish around the whole run, as a program has them.
class EngineUnit : public ::testing::Environment {
 public:
  void SetUp() override { ZUBSkinEngineInitialization(); }
  void TearDown() override { ZUBSkinEngineFinalization(); }
};
const auto* const kEngineUnit = ::testing::AddGlobalTestEnvironment(new EngineUnit);

// A form whose engine reports its skin changes to a handler bound by name.
class TSkinDataForm : public TForm {
  DECLARE_CLASS(TSkinDataForm, TForm)
 public:
  using TForm::TForm;
  void SkinChanged(TObject* Sender) { loadedFrom.push_back(static_cast<TzubSkinEngine*>(Sender)->SkinFile()); }
  std::vector<std::string> loadedFrom;
};
DEFINE_COMPONENT(TSkinDataForm, TForm, ({}), ({Handler<&TSkinDataForm::SkinChanged>("SkinChanged")}))

// The engine as the programs' forms store it.
std::string EngineDescription(const std::vector<uint8_t>& skin, const std::string& skinFile,
                              const std::vector<uint8_t>& itemSkin = {}) {
  std::string text = "object Form1: TSkinDataForm\n  object zubSkinEngine1: TzubSkinEngine\n"
                     "    Active = True\n    Ready = True\n    SkinFile = '" + skinFile + "'\n"
                     "    ResSysMenuMin = 'Mi&nimize'\n    ResSysMenuMax = 'Ma&ximize/Restore'\n"
                     "    ResSysMenuClose = '&Close'\n    DisabledTag = 9999\n    DrawScrollBar = True\n"
                     "    Version = '3.0'\n    BuiltIn = True\n    SkinDialogs = True\n    SkinAllForms = True\n";
  if (itemSkin.empty()) text += "    AdditionalBuiltInSkins = <>\n";
  else text += "    AdditionalBuiltInSkins = <\n      item\n        SkinFile = 'extra.zub'\n        SkinData = {" + Hex(itemSkin) + "}\n      end>\n";
  text += "    OnSkinChanged = SkinChanged\n    Left = 8\n    Top = 8\n    SkinData = {" + Hex(skin) + "}\n  end\nend\n";
  return text;
}

TzubSkinEngine* EngineOf(TComponent* form) { return As<TzubSkinEngine>(form->FindComponent("zubSkinEngine1")); }

std::vector<std::string> TempSkinNames() {
  std::vector<std::string> names;
  TSearchRec rec;
  for (int r = FindFirst(zubskin::GetTempFolder() + "ZUBSKNT*.zub", faAnyFile, rec); r == 0; r = FindNext(rec))
    names.push_back(rec.Name);
  FindClose(rec);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The designer's view of the engine.
class TDesignedEngine : public TzubSkinEngine {
 public:
  explicit TDesignedEngine(TComponent* owner) : TzubSkinEngine(owner) { SetDesigning(true); }
};

}  // namespace

TEST(SkinEngine, AFreshEngineHasItsDefaults) {
  EngineForm f;
  TzubSkinEngine* e = f.engine;
  EXPECT_FALSE(e->Active());
  EXPECT_FALSE(e->Ready());
  EXPECT_EQ(e->SkinFile(), "");
  EXPECT_EQ(e->DisabledTag, 9999);
  EXPECT_TRUE(e->DrawScrollBar && e->SkinDialogs && e->SkinAllForms());
  EXPECT_FALSE(e->BuiltIn());
  EXPECT_EQ(e->Version(), "3.1");
  EXPECT_EQ(e->ResSysMenuMin() + e->ResSysMenuMax() + e->ResSysMenuClose(), "Mi&nimizeMa&ximize/Restore&Close");
  EXPECT_EQ(e->FTitleFontColor, 0xFFFFFF);
  EXPECT_EQ(e->FBackgroundBrush, nullptr);
}

TEST(SkinEngine, MisuseRaisesTheFixedTexts) {
  EngineForm f;
  TComponent plain(nullptr);
  const struct {
    const char* what;
    std::function<void()> action;
    const char* text;
  } cases[] = {
      {"no owner", [] { Create<TzubSkinEngine>(nullptr); }, "Must be placed on a Form"},
      {"owner no form", [&] { Create<TzubSkinEngine>(&plain); }, "Must be placed on a Form"},
      {"second engine", [&] { Create<TzubSkinEngine>(f.form); }, "One form can only catch one TzubSkinEngine!"},
      {"BuiltIn at run time", [&] { f.engine->SetBuiltIn(true); }, "BuiltIn property only can be specified at design time!"},
      {"BuiltIn without file",
       [&] {
         TForm* form = Create<TForm>(nullptr, true);
         auto* designed = new TDesignedEngine(form);
         designed->AfterConstruction();
         try {
           designed->SetBuiltIn(true);
         } catch (...) {
           form->Free();
           throw;
         }
         form->Free();
       },
       "Please specify the SkinFile property first!"},
  };
  for (const auto& c : cases) {
    try {
      c.action();
      ADD_FAILURE() << c.what << ": nothing raised";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.text) << c.what;
      EXPECT_EQ(e.ClassName(), "Exception") << c.what;
    }
  }
  EXPECT_EQ(f.form->ComponentCount(), 1);
  EXPECT_FALSE(f.engine->BuiltIn());
}

TEST(SkinEngine, StoredSkinIsReadThroughAFreeTemporaryNameAndRemoved) {
  const std::string temp = zubskin::GetTempFolder();
  TempSkinFile taken0(temp + "ZUBSKNT.zub", {'o', 'n', 'e'});
  TempSkinFile taken1(temp + "ZUBSKNT1.zub", {'t', 'w', 'o'});
  ASSERT_TRUE(CreateDirectoryA((temp + "ZUBSKNT2.zub").c_str(), nullptr));

  UseTestSkinWindows use;
  TSkinDataForm* form = Create<TSkinDataForm>(nullptr, true);
  ReadComponentText(form, EngineDescription(BasicSkin(), "C:\\Designer\\Skins\\DiamondBlue.zub", BasicSkin()));
  TzubSkinEngine* engine = EngineOf(form);
  EXPECT_EQ(engine->FWindows.size(), 1u) << "Loaded skins the own form";
  EXPECT_TRUE(engine->Ready());
  EXPECT_EQ(engine->SkinFile(), "");
  EXPECT_EQ(engine->GetSkinInt("FormBackgroundColor"), 0x102030);
  EXPECT_EQ(form->loadedFrom, std::vector<std::string>{temp + "ZUBSKNT3.zub"});
  ASSERT_EQ(engine->AdditionalBuiltInSkins()->Count(), 1);
  EXPECT_TRUE(engine->AdditionalBuiltInSkins()->Items(0)->Reader()->IsLoaded());
  EXPECT_EQ(TempSkinNames(), (std::vector<std::string>{"ZUBSKNT.zub", "ZUBSKNT1.zub", "ZUBSKNT2.zub"}));
  EXPECT_EQ(ReadAll(taken0.path) + ReadAll(taken1.path), "onetwo");
  EXPECT_TRUE(DirectoryExists(temp + "ZUBSKNT2.zub"));
  form->Free();
  RemoveDirectoryA((temp + "ZUBSKNT2.zub").c_str());
}

TEST(SkinEngine, StoredSkinsReadTogetherNeverShareATemporaryFile) {
  // Two programs starting together, as two threads: each reads back what it stored.
  std::atomic<int> mixed{0};
  auto start = [&](char mark) {
    const std::string bytes(4096, mark);
    for (int i = 0; i < 300; ++i)
      if (!zubskin::LoadThroughTempFile({bytes.begin(), bytes.end()}, [&](const std::string& name) {
            if (ReadAll(name) != bytes) ++mixed;
          }))
        ++mixed;
  };
  std::thread other(start, 'b');
  start('a');
  other.join();
  EXPECT_EQ(mixed, 0);
  EXPECT_TRUE(TempSkinNames().empty());
}

TEST(SkinEngine, AStoredSkinThatCannotBeWrittenIsIgnored) {
  TempSkinFile found("stored_fallback.zub", BuildSkin({Int("FormBackgroundColor", 0x445566)}));
  char saved[MAX_PATH] = {};
  GetEnvironmentVariableA("TMP", saved, MAX_PATH);
  SetEnvironmentVariableA("TMP", "C:\\no such folder\\");
  const struct {
    std::string skinFile;
    bool ready;
    int32_t background;
  } cases[] = {{"", false, -1}, {found.path, true, 0x445566}};
  for (const auto& c : cases) {
    TSkinDataForm* form = Create<TSkinDataForm>(nullptr, true);
    EXPECT_NO_THROW(ReadComponentText(form, EngineDescription(BasicSkin(), c.skinFile, BasicSkin())));
    TzubSkinEngine* engine = EngineOf(form);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->Ready(), c.ready) << c.skinFile;
    EXPECT_EQ(engine->GetSkinInt("FormBackgroundColor"), c.background) << c.skinFile;
    EXPECT_FALSE(engine->AdditionalBuiltInSkins()->Items(0)->Reader()->IsLoaded());
    form->Free();
  }
  SetEnvironmentVariableA("TMP", saved);
}

TEST(SkinEngine, SkinFileIsSoughtInFourPlaces) {
  char buffer[MAX_PATH];
  const std::string program = ExtractFilePath(std::string(buffer, GetModuleFileNameA(nullptr, buffer, MAX_PATH)));
  const std::string windows = IncludeTrailingBackslash(std::string(buffer, GetWindowsDirectoryA(buffer, MAX_PATH)));
  const std::string system = IncludeTrailingBackslash(std::string(buffer, GetSystemDirectoryA(buffer, MAX_PATH)));
  const struct {
    std::vector<std::string> files;  // where the skin lies
    std::string value;               // what SkinFile is set to
    std::string expected;            // SkinFile afterwards ("" : unchanged)
  } cases[] = {
      {{"search_cwd.zub"}, "search_cwd.zub", "search_cwd.zub"},
      {{program + "search_prog.zub", windows + "search_prog.zub"}, "C:\\nowhere\\search_prog.zub", program + "search_prog.zub"},
      {{windows + "search_win.zub", system + "search_win.zub"}, "search_win.zub", windows + "search_win.zub"},
      {{system + "search_sys.zub"}, "D:\\x\\search_sys.zub", system + "search_sys.zub"},
      {{}, "search_none.zub", ""},
      {{}, "", ""},
  };
  for (const auto& c : cases) {
    std::vector<std::unique_ptr<TempSkinFile>> files;
    for (const std::string& path : c.files) files.push_back(std::make_unique<TempSkinFile>(path, BasicSkin()));
    EngineForm f;
    TempSkinFile before("search_before.zub", BuildSkin({Int("FormBackgroundColor", 0x010203)}));
    f.engine->SetSkinFile(before.path);
    f.engine->SetSkinFile(c.value);
    const bool moved = !c.expected.empty();
    EXPECT_EQ(f.engine->SkinFile(), moved ? c.expected : before.path) << c.value;
    EXPECT_EQ(f.engine->GetSkinInt("FormBackgroundColor"), moved ? 0x102030 : 0x010203) << c.value;
  }
}

TEST(SkinEngine, AnUnreadableOrCorruptSkinFileKeepsTheOldSkin) {
  TempSkinFile good("keep_good.zub", BasicSkin());
  TempSkinFile corrupt("keep_corrupt.zub", {'D', 'r', 'a', 'v', 'n', 'e', 'l', 0, 1, 2});
  TempSkinFile locked("keep_locked.zub", BuildSkin({Int("FormBackgroundColor", 0x777777)}));
  HANDLE lock = CreateFileA(locked.path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  for (const std::string& bad : {corrupt.path, locked.path}) {
    EngineForm f;
    int changes = 0;
    struct Count {
      int* n;
      void Changed(TObject*) { ++*n; }
    } counter{&changes};
    f.engine->SetSkinFile(good.path);
    f.engine->OnSkinChanged = TNotifyEvent::Bind<&Count::Changed>(&counter);
    f.engine->SetSkinFile(bad);
    EXPECT_EQ(f.engine->SkinFile(), good.path) << bad;
    EXPECT_TRUE(f.engine->Ready()) << bad;
    EXPECT_EQ(f.engine->GetSkinInt("FormBackgroundColor"), 0x102030) << bad;
    EXPECT_EQ(f.engine->FTitleBarHeight, 31) << bad;
    EXPECT_EQ(changes, 0) << bad;
  }
  CloseHandle(lock);
}

TEST(SkinEngine, MetricsAndColoursFollowEachLoad) {
  const uint32_t bg = 0x00C0C0;
  const struct {
    const char* what;
    std::vector<SkinEntry> entries;
    int32_t title, border, bottom, menuBar, titleFont;
    bool rightImage;
  } cases[] = {
      {"all entries", {Img("TitleBarLeftImage", 1, 10, 31), Img("FormLeftBorderImage", 2, 5, 20),
                       Img("FormBottomBorderImage", 3, 20, 6), Int("FormBackgroundColor", bg),
                       Int("MenuMenuBarColor", 0x123456), Int("TitleBarFontColor", 0x0A0B0C), Int("ControlFontColor", 0x30000)},
       31, 5, 6, 0x123456, 0x0A0B0C, true},
      {"font $30000", {Int("FormBackgroundColor", bg), Int("ControlFontColor", 0x30000)}, 0, -1, 0, 0x996733, 0, false},
      {"font $20000", {Int("FormBackgroundColor", bg), Int("ControlFontColor", 0x20000)}, 0, -1, 0, 0xAC5B3B, 0xFFFFFF, false},
      {"font $50000", {Int("FormBackgroundColor", bg), Int("ControlFontColor", 0x50000)}, 0, -1, 0, 0xAC5B3B, 0, false},
      {"font $10000", {Int("FormBackgroundColor", bg), Int("ControlFontColor", 0x10000)}, 0, -1, 0, bg, 0, false},
      {"no font colour", {Int("FormBackgroundColor", bg), Int("FormBorderWidthInt", 7)}, 0, 7, 0, bg, 0xFFFFFF, false},
  };
  for (const auto& c : cases) {
    TempSkinFile file("metrics.zub", BuildSkin(c.entries));
    EngineForm f;
    f.engine->SetSkinFile(file.path);
    EXPECT_EQ(f.engine->FTitleBarHeight, c.title) << c.what;
    EXPECT_EQ(f.engine->FBorderWidth, c.border) << c.what;
    EXPECT_EQ(f.engine->FBottomBorderHeight, c.bottom) << c.what;
    EXPECT_EQ(f.engine->GetMenuBarColor(), c.menuBar) << c.what;
    EXPECT_EQ(f.engine->FTitleFontColor, c.titleFont) << c.what;
    EXPECT_EQ(f.engine->FRightBorderImage != nullptr, c.rightImage) << c.what;
    LOGBRUSH brush{};
    GetObject(f.engine->FBackgroundBrush, sizeof brush, &brush);
    EXPECT_EQ(brush.lbColor, bg) << c.what;
  }
}

TEST(SkinEngine, TheDeliveredSkinGivesItsMetrics) {
  EngineForm f;
  f.engine->SetSkinFile(std::string(SKIN_SOURCE_DIR) + "/Fernwhistle.zub");
  ASSERT_TRUE(f.engine->Ready());
  TBitmap left;
  ASSERT_TRUE(f.engine->GetSkinBitmap("FormLeftBorderImage", &left));
  EXPECT_EQ(f.engine->FBorderWidth, left.Width());
  ASSERT_NE(f.engine->FRightBorderImage, nullptr);
  // Turned by 180 degrees: the right image's bottom-right pixel is the left image's top-left one.
  EXPECT_EQ(f.engine->FRightBorderImage->Canvas()->Pixels(left.Width() - 1, left.Height() - 1),
            left.Canvas()->Pixels(0, 0));
  EXPECT_EQ(f.engine->FTitleBarHeight, 31);
  EXPECT_EQ(f.engine->FBorderWidth, 5);
  EXPECT_EQ(f.engine->FBottomBorderHeight, 5);
  EXPECT_EQ(f.engine->FTitleFontColor, 0xFFFFFF);
  EXPECT_EQ(f.engine->GetMenuBarColor(), 0xE8C894);
  EXPECT_EQ(f.engine->GetFormBackgroundColor(), 0xE8E8E8);
}

TEST(SkinEngine, BitmapLookupsWholeAndByPiece) {
  TempSkinFile file("pieces.zub", BuildSkin({Img("Strip", 0x0000FF, 30, 4)}));
  EngineForm f;
  TBitmap b;
  b.SetSize(5, 5);
  EXPECT_FALSE(f.engine->GetSkinBitmap("Strip", &b)) << "no skin yet";
  EXPECT_EQ(b.Width(), 5);
  f.engine->SetSkinFile(file.path);
  const struct {
    const char* name;
    int count, index;
    bool found;
    int width;  // afterwards, from a 5 x 5 start
  } cases[] = {{"strip", 0, 0, true, 30}, {"Strip", 3, 2, true, 10}, {"Missing", 0, 0, false, 5},
               {"Missing", 3, 1, false, 0}};
  for (const auto& c : cases) {
    TBitmap bitmap;
    bitmap.SetSize(5, 5);
    EXPECT_EQ(f.engine->GetSkinBitmap(c.name, &bitmap, c.count, c.index), c.found) << c.name << c.count << c.index;
    EXPECT_EQ(bitmap.Width(), c.width) << c.name << c.count << c.index;
  }
  EXPECT_EQ(f.engine->GetSkinInt("Missing"), -1);
  EXPECT_FALSE(f.engine->GetSkinBool("Missing"));
}

TEST(SkinEngine, AdditionalSkinsAreCopiedWithTheirStoredSkins) {
  TSkinDataForm* form = Create<TSkinDataForm>(nullptr, true);
  ReadComponentText(form, EngineDescription(BasicSkin(), "", BasicSkin()));
  EngineForm other;
  EXPECT_NO_THROW(other.engine->SetAdditionalBuiltInSkins(EngineOf(form)->AdditionalBuiltInSkins()));
  other.engine->SetAdditionalBuiltInSkins(other.engine->AdditionalBuiltInSkins());  // its own: kept
  ASSERT_EQ(other.engine->AdditionalBuiltInSkins()->Count(), 1);
  TzubSkinCollectionItem* copy = other.engine->AdditionalBuiltInSkins()->Items(0);
  EXPECT_EQ(copy->SkinFile, "extra.zub");
  EXPECT_EQ(copy->Reader()->GetInt("MenuBarColor"), 0x0000FF);
  EXPECT_EQ(other.engine->AdditionalBuiltInSkins()->GetOwner(), other.engine);
  form->Free();
}
