// Form descriptions streamed into real forms under Wine: every kind of value, bound handlers,
// Loaded order, and descriptions that name what does not exist.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormReader.h"
#include "Forms.h"
#include "Streams.h"
#include "StringList.h"

namespace {

std::vector<std::string> journal;

DECLARE_ENUM(TProbeMode, pmSlow, pmFast)
DECLARE_ENUM(TProbeOption, poOne, poTwo, poThree)
DECLARE_SET(TProbeOptions, TProbeOption)

class TEntry : public TCollectionItem {
  DECLARE_CLASS(TEntry, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  std::string Label() const { return label_; }
  void SetLabel(std::string v) { label_ = std::move(v); }

 private:
  std::string label_;
};
DEFINE_CLASS(TEntry, TCollectionItem, ({Prop<&TEntry::Label, &TEntry::SetLabel>("Label")}))

// One property of every kind a description can set.
class TTestProbe : public TComponent {
  DECLARE_CLASS(TTestProbe, TComponent)
 public:
  explicit TTestProbe(TComponent* owner)
      : TComponent(owner), items_(new TStringList), entries_(new TCollection(NewCollectionItem<TEntry>)) {}
  ~TTestProbe() override {
    journal.push_back("free " + Name());
    delete items_;
    delete entries_;
  }
  void Loaded() override {
    TComponent::Loaded();
    journal.push_back("loaded " + Name() + " count=" + std::to_string(count) +
                      (ComponentState().Contains(csLoading) ? " still loading" : ""));
  }
  void DefineProperties(TFiler* filer) override {
    filer->DefineBinaryProperty("Blob", TFiler::TStreamProc::Bind<&TTestProbe::ReadBlob>(this), {}, true);
  }
  void ReadBlob(TStream* s) {
    blob.resize(static_cast<size_t>(s->Size()));
    s->ReadBuffer(&blob[0], s->Size());
  }

  int32_t Count() const { return count; }
  void SetCount(int32_t v) {
    count = v;
    loadingWhenSet = ComponentState().Contains(csLoading);
  }
  int64_t Big() const { return big; }
  void SetBig(int64_t v) { big = v; }
  std::string Text() const { return text; }
  void SetText(std::string v) { text = std::move(v); }
  bool Flag() const { return flag; }
  void SetFlag(bool v) { flag = v; }
  TProbeMode Mode() const { return mode; }
  void SetMode(TProbeMode v) { mode = v; }
  TProbeOptions Options() const { return options; }
  void SetOptions(TProbeOptions v) { options = v; }
  TColor Tint() const { return tint; }
  void SetTint(TColor v) { tint = v; }
  TStrings* Items() const { return items_; }
  TCollection* Entries() const { return entries_; }
  TTestProbe* Peer() const { return peer; }
  void SetPeer(TTestProbe* v) { peer = v; }

  int32_t count = 0;
  bool loadingWhenSet = false;
  int64_t big = 0;
  std::string text;
  bool flag = false;
  TProbeMode mode = pmSlow;
  TProbeOptions options;
  TColor tint = clBlack;
  TTestProbe* peer = nullptr;
  std::string blob;
  TNotifyEvent OnPing;

 private:
  TStringList* items_;
  TCollection* entries_;
};
DEFINE_COMPONENT(TTestProbe, TComponent,
                 ({Prop<&TTestProbe::Count, &TTestProbe::SetCount>("Count"),
                   Prop<&TTestProbe::Big, &TTestProbe::SetBig>("Big"),
                   Prop<&TTestProbe::Text, &TTestProbe::SetText>("Text"),
                   Prop<&TTestProbe::Flag, &TTestProbe::SetFlag>("Flag"),
                   Prop<&TTestProbe::Mode, &TTestProbe::SetMode>("Mode"),
                   Prop<&TTestProbe::Options, &TTestProbe::SetOptions>("Options"),
                   Prop<&TTestProbe::Tint, &TTestProbe::SetTint>("Tint"),
                   PropRO<&TTestProbe::Items>("Items"),
                   PropRO<&TTestProbe::Entries>("Entries"),
                   Prop<&TTestProbe::Peer, &TTestProbe::SetPeer>("Peer"),
                   Field<&TTestProbe::OnPing>("OnPing")}),
                 ({}))

class TTestBox : public TCustomControl {
  DECLARE_CLASS(TTestBox, TCustomControl)
 public:
  using TCustomControl::TCustomControl;
};
DEFINE_COMPONENT(TTestBox, TCustomControl, ({}), ({}))

class TTestForm : public TForm {
  DECLARE_CLASS(TTestForm, TForm)
 public:
  using TForm::TForm;
  void FormCreate(TObject*) { journal.push_back("create"); }
  void Box1Click(TObject*) {
    ++clicks;
    if (throwOnClick) throw EConvertError("click failed");
  }
  void ProbePing(TObject* sender) { pinged = sender; }
  int clicks = 0;
  bool throwOnClick = false;
  TObject* pinged = nullptr;
};
DEFINE_COMPONENT(TTestForm, TForm, ({}),
                 ({Handler<&TTestForm::FormCreate>("FormCreate"), Handler<&TTestForm::Box1Click>("Box1Click"),
                   Handler<&TTestForm::ProbePing>("ProbePing")}))

// A form whose description comes from the test rather than from a resource.
class TTextForm : public TForm {
  DECLARE_CLASS(TTextForm, TForm)
 public:
  using TForm::TForm;
  void FormCreate(TObject*) {}
};
DEFINE_COMPONENT(TTextForm, TForm, ({}), ({Handler<&TTextForm::FormCreate>("FormCreate")}))

class FormReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { journal.clear(); }
};

TEST_F(FormReaderTest, EmbeddedDescriptionSetsEveryKindOfValue) {
  TTestForm* form = Create<TTestForm>(Application);
  EXPECT_EQ(form->Name(), "TestForm");
  EXPECT_EQ(form->Caption(), "Streamed 'form'");
  EXPECT_EQ(form->BorderStyle(), bsDialog);
  EXPECT_EQ(form->Left(), 40);

  auto* box = As<TTestBox>(form->FindComponent("Box1"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Parent(), form);
  EXPECT_EQ(box->Owner(), form);
  EXPECT_EQ(box->Width(), 120);
  EXPECT_EQ(box->Color(), clWhite);
  EXPECT_EQ(box->Font()->Name(), "Tahoma");
  EXPECT_EQ(box->Font()->Style(), (TFontStyles{fsBold, fsUnderline}));

  auto* probe = As<TTestProbe>(form->FindComponent("Probe1"));
  auto* probe2 = As<TTestProbe>(form->FindComponent("Probe2"));
  ASSERT_NE(probe, nullptr);
  ASSERT_NE(probe2, nullptr);
  EXPECT_EQ(probe->count, -5);
  EXPECT_TRUE(probe->loadingWhenSet);
  EXPECT_EQ(probe->big, 0x7FFFFFFF);
  EXPECT_EQ(probe->text, "a\r\nbc");
  EXPECT_TRUE(probe->flag);
  EXPECT_EQ(probe->mode, pmFast);
  EXPECT_EQ(probe->options, (TProbeOptions{poOne, poThree}));
  EXPECT_EQ(probe->tint, clNavy);
  ASSERT_EQ(probe->Items()->Count(), 3);
  EXPECT_EQ(probe->Items()->Strings(1), "");
  EXPECT_EQ(probe->Items()->Strings(2), "third");
  ASSERT_EQ(probe->Entries()->Count(), 2);
  EXPECT_EQ(static_cast<TEntry*>(probe->Entries()->Items(1))->Label(), "two");
  EXPECT_EQ(probe->peer, probe2);  // a reference to a component read later
  EXPECT_EQ(probe->blob, std::string("Hello\0\xFF", 7));
  ASSERT_TRUE(probe->OnPing.Assigned());
  probe->OnPing(probe);
  EXPECT_EQ(form->pinged, probe);
  form->Free();
}

TEST_F(FormReaderTest, LoadedRunsAfterAllPropertiesInReadOrderThenOnCreate) {
  TTestForm* form = Create<TTestForm>(Application);
  EXPECT_EQ(journal, (std::vector<std::string>{"loaded Probe1 count=-5", "loaded Probe2 count=2", "create"}));
  EXPECT_FALSE(form->ComponentState().Contains(csLoading));
  form->Free();
}

TEST_F(FormReaderTest, FormIsOnTheScreenWhileAliveAndLeavesItWhenFreed) {
  int before = Screen->FormCount();
  TTestForm* form = Create<TTestForm>(Application);
  EXPECT_EQ(Screen->FormCount(), before + 1);
  form->Free();
  EXPECT_EQ(Screen->FormCount(), before);
}

TEST_F(FormReaderTest, UnknownNamesFailTheReadAndFreeWhatWasCreated) {
  struct Case {
    const char* what;
    const char* body;
  };
  const Case cases[] = {
      {"class", "object P: TNoSuchClass\nend\n"},
      {"property", "object P: TTestProbe\nNoSuch = 1\nend\n"},
      {"enumeration value", "object P: TTestProbe\nMode = pmMedium\nend\n"},
      {"set element", "object P: TTestProbe\nOptions = [poOne, poFour]\nend\n"},
      {"colour identifier", "object P: TTestProbe\nTint = clNoColour\nend\n"},
      {"handler", "object P: TTestProbe\nOnPing = NoSuchHandler\nend\n"},
      {"handler of another signature", "object B: TTestBox\nOnMouseDown = FormCreate\nend\n"},
      {"string for an integer", "object P: TTestProbe\nCount = 'x'\nend\n"},
      {"component reference", "object P: TTestProbe\nPeer = Nobody\nend\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    journal.clear();
    TTextForm* form = new TTextForm(Application, true);
    form->AfterConstruction();
    std::string text = std::string("object F: TTextForm\nobject Q: TTestProbe\nend\n") + c.body + "end\n";
    EXPECT_THROW(ReadComponentText(form, text), EReadError);
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_NE(std::find(journal.begin(), journal.end(), "free Q"), journal.end());
    form->Free();
  }
}

TEST_F(FormReaderTest, SyntaxErrorsNameTheirLine) {
  TTextForm* form = new TTextForm(Application, true);
  form->AfterConstruction();
  try {
    ReadComponentText(form, "object F: TTextForm\nobject P: TTestProbe\nText = 'abc\nend\nend\n");
    ADD_FAILURE() << "no error";
  } catch (const EReadError& e) {
    EXPECT_NE(e.Message().find("line 3"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(form->ComponentCount(), 0);
  form->Free();
}

TEST_F(FormReaderTest, EventHandlerExceptionGoesToTheApplicationAndTheLoopGoesOn) {
  std::vector<std::string> seen;
  struct Catcher : TObject {
    std::vector<std::string>* seen;
    void OnException(TObject*, const Exception& e) { seen->push_back(e.ClassName() + ": " + e.Message()); }
  } catcher;
  catcher.seen = &seen;
  Application->OnException = TExceptionEvent::Bind<&Catcher::OnException>(&catcher);

  TTestForm* form = Create<TTestForm>(Application);
  form->throwOnClick = true;
  form->Show();
  HWND box = As<TWinControl>(form->FindComponent("Box1"))->Handle();
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(form->clicks, 1);
  EXPECT_EQ(seen, (std::vector<std::string>{"EConvertError: click failed"}));
  form->throwOnClick = false;
  SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(form->clicks, 2);
  Application->OnException = {};
  form->Free();
}

}  // namespace
