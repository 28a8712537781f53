// The DVD converter as a person uses it, under Wine: real windows, a real cmd.exe, the test encoder.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Dialogs.h"
#include "JobText.h"
#include "ModalTesting.h"
#include "ProcessTree.h"
#include "Screenshot.h"
#include "SkinnedChecks.h"
#include "SysUtils.h"
#include "TestLoop.h"
#include "Unit1.h"
#include "working.h"

namespace {

std::string TempFolder(const std::string& name) {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  std::string dir = std::string(base) + "dunmarrow_" + name + "_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  // Process ids repeat from run to run: what an earlier run left must not pass for this run's work.
  for (const char* name : {"\\zov.log", "\\1.3gp", "\\2.3gp", "\\3.3gp"})
    DeleteFileA((dir + name).c_str());
  return dir;
}

void WriteFile(const std::string& path, const std::string& text, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  std::ofstream(path, std::ios::binary) << text;
  SetFileAttributesA(path.c_str(), attributes);
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Presses a button of the main form and answers the message box it shows, once skinned; returns
// the message.
std::string MessageOf(void (TForm1::*click)(TObject*), const std::string& shot = "") {
  std::string message;
  bool skinned = false;
  WatchWhileModal([&] {
    if (workForm) {  // no message: a batch began
      workForm->Close();
      return true;
    }
    message = TakeSkinnedMessage(skinned, shot);
    return !message.empty();
  });
  (Form1->*click)(nullptr);
  EXPECT_TRUE(skinned) << message;
  return message;
}
std::string ConvertExpectingMessage(const std::string& shot = "") { return MessageOf(&TForm1::Button1Click, shot); }

BOOL CALLBACK FindDialog(HWND Wnd, LPARAM Found) {
  char cls[16] = "";
  GetClassNameA(Wnd, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(Wnd)) *reinterpret_cast<HWND*>(Found) = Wnd;
  return TRUE;
}

class DunmarrowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!Form1) Application->CreateForm(Form1);
    Form1->Show();
  }
  void SetUp() override {
    Form1->Edit1->SetText("");
    Form1->Edit2->SetText("");
    Form1->ListView1->Items()->Clear();
    VobFolder.clear();
    SetEnvironmentVariableA("ZOV_PAUSE", "5");
    SetEnvironmentVariableA("ZOV_STEPS", "3");
    SetEnvironmentVariableA("ZOV_LOG", nullptr);
  }
  // A DVD folder with VIDEO_TS holding the given .vob files (and a folder named like one).
  std::string MakeDvd(const std::string& name, const std::vector<std::string>& vobs) {
    std::string root = TempFolder(name);
    std::string ts = root + "\\VIDEO_TS";
    CreateDirectoryA(ts.c_str(), nullptr);
    for (const std::string& v : vobs) WriteFile(ts + "\\" + v, "vob data of " + v);
    CreateDirectoryA((ts + "\\MENU.VOB").c_str(), nullptr);
    return root;
  }
  // Runs the batch in the modal work form until Done is enabled after the last job, then presses Done.
  // With promptFirst the start timer waits until the new shell's first prompt has reached the parser,
  // as on a machine where the shell answers within the timer's 30 ms. With firstJobSilenceMs job 1's
  // silence check waits that long instead of its thirty seconds.
  void RunBatch(DWORD timeoutMs = 60000, bool promptFirst = false, uint32_t firstJobSilenceMs = 0) {
    DWORD start = GetTickCount();
    finished = false;
    question.clear();
    TStringList shellOutput;
    bool held = promptFirst;
    firstEncoder.reset();
    WatchWhileModal([&, start, timeoutMs, firstJobSilenceMs] {
      if (!workForm) {  // Convert may ask first whether to replace output files
        bool skinned = false;
        question = TakeSkinnedMessage(skinned, "dunmarrow-question", 100, replaceAnswer);
        return !question.empty() && replaceAnswer != mrYes;  // No: nothing starts
      }
      // One look, once job 1's encoder has printed its duration: a process list taken on every
      // tick outlasts the tick on a loaded machine, and the job start's message loop never ends.
      if (workForm && FileIndex == 1 && ParseState >= 2 && !firstEncoder)
        firstEncoder = std::make_unique<WatchedProcesses>(LiveDescendants("zov.exe"));
      if (workForm && firstJobSilenceMs) {
        uint32_t silence = FileIndex == 1 ? firstJobSilenceMs : 30000;
        if (workForm->Timer3->Interval() != silence) workForm->Timer3->SetInterval(silence);
      }
      if (held) {
        if (shellOutput.Count() == 0 || shellOutput.Strings(shellOutput.Count() - 1).back() != '>') return false;
        held = false;
        doneAtPrompt = workForm->Button2->Enabled();
        workForm->Timer1->SetInterval(30);
      }
      bool last = FileIndex > Form1->ListBox1->Items()->Count();
      if (workForm && last && workForm->Button2->Enabled()) {
        if (!shot.empty()) SaveScreenshot(workForm->Handle(), shot);
        workSkinned = IsSkinnedWindow(workForm->Handle()) && HasRoundedTop(workForm->Handle());
        workClient = ClientSizeOf(workForm->Handle());
        fileBar = workForm->ProgressBar1->Position();
        batchBar = workForm->ProgressBar2->Position();
        status = workForm->Label3->Caption();
        log = workForm->Memo1->Lines()->Text();
        finished = true;
        workForm->Button2->Click();
        return true;
      }
      if (GetTickCount() - start > timeoutMs && workForm) {
        workForm->Close();
        return true;
      }
      return false;
    });
    if (!promptFirst) return Form1->Button1Click(nullptr);
    // Convert's steps, with the start timer held.
    Form1->ListBox1->Items()->Clear();
    for (int i = 0; i < Form1->ListView1->Items()->Count(); ++i)
      if (Form1->ListView1->Items()->Item(i)->Checked())
        Form1->ListBox1->Items()->Add(VobFolder + Form1->ListView1->Items()->Item(i)->Caption());
    workForm = Create<TworkForm>(Application);
    ShellRunner->SetOutputLines(&shellOutput);  // the shell goes before the list, as the form closes
    workForm->Timer1->SetInterval(0);
    workForm->ShowModal();
    workForm->Release();
    workForm = nullptr;
  }
  std::string shot;  // the name of a screenshot of the work form at the end of the batch
  TModalResult replaceAnswer = mrYes;
  std::string question;  // whether to replace output files, when Convert asked
  bool finished = false;
  bool doneAtPrompt = false;
  std::unique_ptr<WatchedProcesses> firstEncoder;  // job 1's, seen once it printed its duration
  bool workSkinned = false;
  SIZE workClient{};
  int fileBar = 0, batchBar = 0;
  std::string status, log;
};

TEST_F(DunmarrowTest, ListsTheVobFilesOfVideoTsHiddenAndSystemOnesTooButNoFolders) {
  std::string dvd = MakeDvd("list", {"VTS_01_1.VOB", "VTS_01_2.VOB"});
  WriteFile(dvd + "\\VIDEO_TS\\HIDDEN.VOB", "hh", FILE_ATTRIBUTE_HIDDEN);
  WriteFile(dvd + "\\VIDEO_TS\\SYSTEM.VOB", "sss", FILE_ATTRIBUTE_SYSTEM);
  WriteFile(dvd + "\\VIDEO_TS\\NOTES.TXT", "x");
  Form1->ChooseInputFolder(dvd);
  EXPECT_EQ(Form1->Edit1->Text(), dvd);
  EXPECT_EQ(VobFolder, dvd + "\\VIDEO_TS\\");
  std::vector<std::string> names;
  for (int i = 0; i < Form1->ListView1->Items()->Count(); ++i) {
    TListItem* item = Form1->ListView1->Items()->Item(i);
    names.push_back(item->Caption() + "=" + item->SubItems()->Strings(0));
    EXPECT_FALSE(item->Checked());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"HIDDEN.VOB=2", "SYSTEM.VOB=3", "VTS_01_1.VOB=24", "VTS_01_2.VOB=24"}));
}

TEST_F(DunmarrowTest, AFolderWithoutVideoTsIsListedItself) {
  std::string dir = TempFolder("plain");
  WriteFile(dir + "\\A.VOB", "a");
  Form1->ChooseInputFolder(dir);
  ASSERT_EQ(Form1->ListView1->Items()->Count(), 1);
  EXPECT_EQ(VobFolder, dir + "\\");
  // A cancel lists the typed folder again.
  Form1->ChooseInputFolder("");
  EXPECT_EQ(Form1->ListView1->Items()->Count(), 1);
}

// A cancelled browse lists the folder Edit1 names, or its VIDEO_TS; the folder listed already
// keeps its rows and ticks.
TEST_F(DunmarrowTest, ACancelledBrowseListsTheFieldsFolderUnlessItIsListedAlready) {
  const std::string dvd = MakeDvd("picked", {"A.VOB", "B.VOB"}), typed = MakeDvd("typed", {"C.VOB"});
  const std::string plain = TempFolder("typedplain");
  WriteFile(plain + "\\D.VOB", "d");
  Form1->ChooseInputFolder(dvd);
  Form1->ListView1->Items()->Item(1)->SetChecked(true);
  SetFolderBrowser([](const std::string&) { return std::string(); });
  const struct {
    std::string field, listed;
    int rows;
    bool ticked;
  } cases[] = {{dvd, dvd + "\\VIDEO_TS\\", 2, true}, {typed, typed + "\\VIDEO_TS\\", 1, false}, {plain, plain + "\\", 1, false}};
  for (const auto& c : cases) {
    Form1->Edit1->SetText(c.field);
    Form1->Button6Click(nullptr);
    EXPECT_EQ(VobFolder, c.listed) << c.field;
    EXPECT_EQ(Form1->ListView1->Items()->Count(), c.rows) << c.field;
    EXPECT_EQ(Form1->AnyVobChecked(), c.ticked) << c.field;
  }
  SetFolderBrowser(nullptr);
}

// The folder browser, owned by the hidden application window, leaves the activation with the form
// it was opened from.
TEST_F(DunmarrowTest, TheCancelledBrowserGivesTheActivationBack) {
  SetActiveWindow(Form1->Handle());
  WatchWhileModal([] {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&box));
    if (box) PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    return box != nullptr;
  });
  EXPECT_EQ(BrowseForFolder("Select Directory"), "");
  EXPECT_EQ(GetActiveWindow(), Form1->Handle());
}

TEST_F(DunmarrowTest, TheMainFormIsSkinnedAtItsDesignedSize) {
  EXPECT_TRUE(IsSkinnedWindow(Form1->Handle()));
  EXPECT_TRUE(HasRoundedTop(Form1->Handle()));
  EXPECT_EQ(ClientSizeOf(Form1->Handle()).cx, 487);
  EXPECT_EQ(ClientSizeOf(Form1->Handle()).cy, 386);
}

TEST_F(DunmarrowTest, ConvertChecksItsInputInOrder) {
  Form1->Edit1->SetText("   ");
  EXPECT_EQ(ConvertExpectingMessage("dunmarrow-message"), "You should set the input path.");
  std::string empty = TempFolder("empty");
  Form1->ChooseInputFolder(empty);
  EXPECT_EQ(ConvertExpectingMessage(), "no vob file for conversion");
  std::string dvd = MakeDvd("checks", {"A.VOB", "B.VOB"});
  Form1->ChooseInputFolder(dvd);
  // Rows but none ticked: this message comes first even though the output folder is empty too.
  EXPECT_EQ(ConvertExpectingMessage(), "You should select at least 1 .vob file");
  Form1->ListView1->Items()->Item(1)->SetSelected(true);
  Form1->ToolButton1Click(nullptr);
  EXPECT_TRUE(Form1->ListView1->Items()->Item(1)->Checked());
  Form1->Edit2->SetText(" ");
  EXPECT_EQ(ConvertExpectingMessage(), "You should set the output path.");
  // Another folder typed into the field is listed before the checks: no tick of the old list counts.
  std::string typed = MakeDvd("checkstyped", {"C.VOB"});
  Form1->Edit1->SetText(typed);
  Form1->Edit2->SetText(TempFolder("checksout"));
  EXPECT_EQ(ConvertExpectingMessage(), "You should select at least 1 .vob file");
  EXPECT_EQ(VobFolder, typed + "\\VIDEO_TS\\");
}

// A picked folder whose name cannot reach the shell as it stands is refused with a message: one with
// a "?" where the program's code page lacks a character, one with a character the shell's lacks.
TEST_F(DunmarrowTest, APickedFolderWhoseNameCannotReachTheShellIsRefused) {
  std::string dvd = MakeDvd("pickedok", {"A.VOB"});
  Form1->ChooseInputFolder(dvd);
  Form1->Edit2->SetText(dvd);
  static std::string picked;
  SetFolderBrowser([](const std::string&) { return picked; });
  for (const char* path : {"C:\\Filme\\??\\DVD", "C:\\Filme\\\x80 DVD"}) {
    picked = path;
    for (auto click : {&TForm1::Button6Click, &TForm1::Button7Click}) EXPECT_EQ(MessageOf(click), FolderNameMessage(path));
    EXPECT_EQ(Form1->Edit1->Text(), dvd);
    EXPECT_EQ(Form1->Edit2->Text(), dvd);
    EXPECT_EQ(VobFolder, dvd + "\\VIDEO_TS\\");
  }
  SetFolderBrowser(nullptr);
}

TEST_F(DunmarrowTest, SelectionButtons) {
  std::string dvd = MakeDvd("select", {"A.VOB", "B.VOB", "C.VOB"});
  Form1->ChooseInputFolder(dvd);
  TListItems* items = Form1->ListView1->Items();
  Form1->ToolButton1Click(nullptr);  // nothing selected: nothing happens
  for (int i = 0; i < items->Count(); ++i) EXPECT_FALSE(items->Item(i)->Checked());
  Form1->ToolButton4Click(nullptr);
  for (int i = 0; i < items->Count(); ++i) EXPECT_TRUE(items->Item(i)->Checked());
  items->Item(0)->SetSelected(true);
  Form1->ToolButton2Click(nullptr);
  EXPECT_FALSE(items->Item(0)->Checked());
  Form1->ToolButton3Click(nullptr);
  for (int i = 0; i < items->Count(); ++i) EXPECT_FALSE(items->Item(i)->Checked());
}

TEST_F(DunmarrowTest, ABatchOfThreeFilesConvertsInListOrderWithProgress) {
  std::string dvd = MakeDvd("batch", {"VTS_01_1.VOB", "VTS_01_2.VOB", "VTS_01_3.VOB"});
  std::string out = TempFolder("out");
  std::string logFile = out + "\\zov.log";
  SetEnvironmentVariableA("ZOV_LOG", logFile.c_str());
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(out);
  SaveScreenshot(Form1->Handle(), "dunmarrow-main");
  shot = "dunmarrow-work";
  RunBatch();
  ASSERT_TRUE(finished) << log;
  EXPECT_TRUE(workSkinned);
  EXPECT_EQ(workClient.cx, 477);
  EXPECT_EQ(workClient.cy, 267);
  EXPECT_EQ(fileBar, 100);
  EXPECT_EQ(batchBar, 3);
  EXPECT_EQ(status.rfind("frame=", 0), 0u) << status;
  for (int n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(GetFileAttributesA((out + "\\" + std::to_string(n) + ".3gp").c_str()) != INVALID_FILE_ATTRIBUTES, true);
    std::string input = dvd + "\\VIDEO_TS\\VTS_01_" + std::to_string(n) + ".VOB";
    EXPECT_NE(log.find("Converting " + input + " to 3gp video: "), std::string::npos) << log;
  }
  // The encoder received exactly the lines the job built, one per job, in list order.
  std::string received = ReadFileText(logFile);
  for (int n = 1; n <= 3; ++n) {
    std::string input = dvd + "\\VIDEO_TS\\VTS_01_" + std::to_string(n) + ".VOB";
    std::string line = EncoderCommandLine(ProgramPath + "zov.exe", input, 128, 128, out + "\\" + std::to_string(n) + ".3gp");
    EXPECT_NE(received.find(line), std::string::npos) << line << "\n" << received;
  }
  EXPECT_LT(received.find("VTS_01_1"), received.find("VTS_01_2"));
  // The shell ends with its work form.
  EXPECT_EQ(ShellRunner, nullptr);
  EXPECT_TRUE(WaitUntil([] { return LiveDescendants("cmd.exe").empty(); }, 30000));
}

// Files of the batch's names in the output folder are replaced only when the user says so.
TEST_F(DunmarrowTest, ExistingOutputFilesAreReplacedOnlyAfterYes) {
  std::string dvd = MakeDvd("replace", {"VTS_01_1.VOB", "VTS_01_2.VOB"});
  std::string out = TempFolder("replaceout");
  WriteFile(out + "\\1.3gp", "mine");
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(out);
  replaceAnswer = mrNo;
  RunBatch();
  replaceAnswer = mrYes;
  EXPECT_EQ(question, ReplaceQuestion(out, {"1.3gp"}));
  EXPECT_FALSE(finished);
  EXPECT_EQ(ReadFileText(out + "\\1.3gp"), "mine");
  EXPECT_EQ(GetFileAttributesA((out + "\\2.3gp").c_str()), INVALID_FILE_ATTRIBUTES);
  RunBatch();
  EXPECT_EQ(question, ReplaceQuestion(out, {"1.3gp"}));
  ASSERT_TRUE(finished) << log;
  EXPECT_NE(ReadFileText(out + "\\1.3gp"), "mine");
}

TEST_F(DunmarrowTest, TheShellsFirstPromptBeforeJob1EndsNothing) {
  std::string dvd = MakeDvd("prompt", {"VTS_01_1.VOB", "VTS_01_2.VOB"});
  std::string out = TempFolder("promptout");
  std::string logFile = out + "\\zov.log";
  SetEnvironmentVariableA("ZOV_LOG", logFile.c_str());
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(out);
  RunBatch(60000, true);
  ASSERT_TRUE(finished) << log;
  std::string received = ReadFileText(logFile);
  for (const char* vob : {"VTS_01_1.VOB", "VTS_01_2.VOB"}) {
    size_t at = received.find(vob);
    EXPECT_TRUE(at != std::string::npos && received.find(vob, at + 1) == std::string::npos) << vob << "\n" << received;
  }
  EXPECT_NE(GetFileAttributesA((out + "\\1.3gp").c_str()), INVALID_FILE_ATTRIBUTES) << log;
}

TEST_F(DunmarrowTest, PathsWithBlanksAndShellCharactersReachTheEncoderWhole) {
  std::string dvd = MakeDvd("Tom&Jerry%20(1)%20", {"VTS_01_1.VOB"});  // no %NAME% the shell knows
  std::string out = TempFolder("out put");
  std::string logFile = out + "\\zov.log";
  SetEnvironmentVariableA("ZOV_LOG", logFile.c_str());
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(out);
  RunBatch();
  ASSERT_TRUE(finished) << log;
  EXPECT_NE(GetFileAttributesA((out + "\\1.3gp").c_str()), INVALID_FILE_ATTRIBUTES) << log;
  std::string received = ReadFileText(logFile);
  EXPECT_NE(received.find("\"" + dvd + "\\VIDEO_TS\\VTS_01_1.VOB\""), std::string::npos) << received;
  EXPECT_NE(received.find("\"" + out + "\\1.3gp\""), std::string::npos) << received;
}

TEST_F(DunmarrowTest, ALineLongerThan254CharactersReachesTheShellWhole) {
  std::string dvd = MakeDvd("long", {"VTS_01_1.VOB"});
  std::string out = TempFolder("longout");
  std::string logFile = out + "\\zov.log";
  SetEnvironmentVariableA("ZOV_LOG", logFile.c_str());
  std::string deep = out + "\\" + std::string(120, 'd') + "\\" + std::string(100, 'e');
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(deep);
  RunBatch();
  ASSERT_TRUE(finished) << log;
  EXPECT_NE(ReadFileText(logFile).find(deep + "\\1.3gp"), std::string::npos);
}

// A job that cannot be sent as it stands, or whose encoder writes nothing, is logged as failed with
// its reason, and the batch goes on.
enum Fault { kLineTooLong, kProgramFolderMissing, kShellVariable, kCodePage, kOutputFolderMissing, kEmptyOutput, kStaleOutput };
struct FailedCase {
  const char* name;
  const char* dvd;
  Fault fault;
  const char* reason;
};
const FailedCase kFailedCases[] = {
    {"LineTooLong", "toolong", kLineTooLong, "the command shell takes at most 8191"},
    {"ProgramFolderMissing", "nofolder", kProgramFolderMissing, "cannot be made current"},
    {"ShellVariableInAPath", "%OS%", kShellVariable, "holds a %NAME% that the command shell would replace"},
    {"CharacterTheShellLacks", "euro\x80", kCodePage, "holds a character that cannot reach the command shell"},
    {"OutputFolderMissing", "nooutfolder", kOutputFolderMissing, "Error. The encoder wrote nothing to "},
    {"EmptyOutput", "emptyout", kEmptyOutput, "Error. The encoder wrote nothing to "},
    {"StaleOutput", "staleout", kStaleOutput, "Error. The encoder wrote nothing to "},
};
class FailedJob : public DunmarrowTest, public ::testing::WithParamInterface<FailedCase> {};

TEST_P(FailedJob, IsLoggedWithItsReasonAndTheBatchGoesOn) {
  const FailedCase& c = GetParam();
  std::string dvd = MakeDvd(c.dvd, {"VTS_01_1.VOB", "VTS_01_2.VOB"});
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  std::string out = TempFolder(std::string(c.name) + "out") + (c.fault == kOutputFolderMissing ? "\\missing" : "");
  Form1->Edit2->SetText(c.fault == kLineTooLong ? "C:\\" + std::string(9000, 'x') : out);
  SetEnvironmentVariableA("ZOV_OUTPUT", c.fault == kEmptyOutput ? "empty" : c.fault == kStaleOutput ? "0" : nullptr);
  if (c.fault == kStaleOutput)  // an earlier batch's files, which this one's encoder does not write
    for (const char* name : {"\\1.3gp", "\\2.3gp"}) WriteFile(out + name, "earlier");
  std::string saved = ProgramDir;
  if (c.fault == kProgramFolderMissing) ProgramDir = TempFolder("gone") + "\\missing";
  RunBatch();
  ProgramDir = saved;
  SetEnvironmentVariableA("ZOV_OUTPUT", nullptr);
  ASSERT_TRUE(finished) << log;
  EXPECT_EQ(question.empty(), c.fault != kStaleOutput) << question;
  EXPECT_EQ(status, "Error. Stopped");
  EXPECT_EQ(batchBar, 2);
  size_t first = log.find(c.reason);
  EXPECT_TRUE(first != std::string::npos && log.find(c.reason, first + 1) != std::string::npos) << log;
  if (c.fault >= kOutputFolderMissing) {
    EXPECT_NE(log.find(NoOutputMessage(out + "\\2.3gp") + "\r\nError. Stopped\r\n"), std::string::npos) << log;
  }
}

INSTANTIATE_TEST_SUITE_P(Dunmarrow, FailedJob, ::testing::ValuesIn(kFailedCases),
                         [](const ::testing::TestParamInfo<FailedCase>& info) { return info.param.name; });

// The user's decimal separator for a scope, under Wine too: the prefix's own user settings.
class UserDecimalSeparator {
 public:
  explicit UserDecimalSeparator(const char* separator) {
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_, sizeof saved_);
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator);
  }
  ~UserDecimalSeparator() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved_); }

 private:
  char saved_[8] = {};
};

class HangingEncoder : public DunmarrowTest, public ::testing::WithParamInterface<const char*> {};

// A stalled encoder, which never exits, ends with its shell; the next jobs run in a fresh one.
TEST_P(HangingEncoder, StallsItsJobAndTheBatchGoesOn) {
  UserDecimalSeparator separator(GetParam());
  ASSERT_EQ(DecimalSeparator(), GetParam()[0]);
  std::string dvd = MakeDvd(std::string("hang") + (GetParam()[0] == ',' ? "comma" : "point"),
                            {"VTS_01_1.VOB", "VTS_01_2.VOB", "VTS_01_3.VOB"});
  WriteFile(dvd + "\\VIDEO_TS\\VTS_01_1.VOB.zov", "hang=duration\n");
  std::string out = TempFolder(std::string("hangout") + (GetParam()[0] == ',' ? "comma" : "point"));
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(out);
  RunBatch();
  ASSERT_TRUE(finished) << log;
  EXPECT_NE(log.find(">>" + out + "\\1.3gp\r\nError. Stopped\r\n"), std::string::npos) << log;
  EXPECT_EQ(GetFileAttributesA((out + "\\1.3gp").c_str()), INVALID_FILE_ATTRIBUTES);
  for (const char* name : {"\\2.3gp", "\\3.3gp"})
    EXPECT_NE(GetFileAttributesA((out + name).c_str()), INVALID_FILE_ATTRIBUTES) << name << "\n" << log;
  EXPECT_EQ(fileBar, 100);
  EXPECT_EQ(batchBar, 3);
  ASSERT_TRUE(firstEncoder);
  EXPECT_TRUE(WaitUntil([&] { return firstEncoder->AllEnded(); }, 30000));
}

INSTANTIATE_TEST_SUITE_P(Dunmarrow, HangingEncoder, ::testing::Values(".", ","),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param[0] == ',' ? "CommaLocale" : "PointLocale");
                         });

TEST_F(DunmarrowTest, AnEncoderSilentAfterItsFrameRateIsStalledToo) {
  std::string dvd = MakeDvd("silent", {"VTS_01_1.VOB", "VTS_01_2.VOB"});
  WriteFile(dvd + "\\VIDEO_TS\\VTS_01_1.VOB.zov", "hang=stream\n");
  std::string out = TempFolder("silentout");
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(out);
  RunBatch(60000, false, 3000);
  ASSERT_TRUE(finished) << log;
  EXPECT_NE(log.find(">>" + out + "\\1.3gp\r\nError. Stopped\r\n"), std::string::npos) << log;
  EXPECT_NE(GetFileAttributesA((out + "\\2.3gp").c_str()), INVALID_FILE_ATTRIBUTES) << log;
}

// An encoder that refuses its command line ends without a frame rate: the stall's report is followed
// by what the encoder said.
TEST_F(DunmarrowTest, AStallInTheLastJobEnablesDoneAndSaysWhy) {
  std::string dvd = MakeDvd("laststall", {"VTS_01_1.VOB"});
  WriteFile(dvd + "\\VIDEO_TS\\VTS_01_1.VOB.zov", "refuse=Unknown encoder 'xvid'\n");
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(TempFolder("laststallout"));
  RunBatch();
  ASSERT_TRUE(finished);
  EXPECT_EQ(status, "Error. Stopped");
  EXPECT_NE(log.find("Error. Stopped\r\nUnknown encoder 'xvid'\r\n"), std::string::npos) << log;
}

TEST_F(DunmarrowTest, AMissingEncoderEndsAsAStall) {
  std::string saved = ProgramPath;
  ProgramPath = TempFolder("noencoder") + "\\";
  std::string dvd = MakeDvd("noenc", {"VTS_01_1.VOB"});
  Form1->ChooseInputFolder(dvd);
  Form1->ToolButton4Click(nullptr);
  Form1->Edit2->SetText(TempFolder("noencout"));
  RunBatch();
  ProgramPath = saved;
  ASSERT_TRUE(finished);
  EXPECT_EQ(status, "Error. Stopped");
}

// The parser fed line by line, with a work form present and its own shell as the sender.
class ParserTest : public DunmarrowTest {
 protected:
  void SetUp() override {
    DunmarrowTest::SetUp();
    form = Create<TworkForm>(Application);  // with a shell of its own
    workForm = form;
    PromptDir = "C:\\Conv";
    InputDir = "E:\\VIDEO_TS";
    ParseState = 1;
  }
  void TearDown() override {
    workForm = nullptr;
    if (form) form->Free();
  }
  void Feed(const std::string& line) { Output::HandleOutputLine(ShellRunner, line, otEntireLine); }
  TworkForm* form = nullptr;
};

TEST_F(ParserTest, StatesMoveOnDurationThenFrameRateThenProgressAndPrompt) {
  form->ProgressBar1->SetPosition(40);
  Feed("C:\\Conv>");  // a prompt before the frame-rate line does not end the job
  EXPECT_EQ(ParseState, 1);
  Feed("  Duration: 00:01:23.45, st");  // the begun rest of a line counts like a whole one
  EXPECT_EQ(ParseState, 2);
  EXPECT_EQ(DurationSeconds, 83);
  Feed("  Duration: 00:01:23.45, start: 0.000000, bitrate: 7597 kb/s");  // now ignored
  Feed("C:\\Conv>");
  EXPECT_EQ(ParseState, 2);
  Feed("    Stream #0.0: Video: mpeg2video, yuv420p, 720x576, 25.00 fps(r)");
  EXPECT_EQ(ParseState, 3);
  EXPECT_EQ(FrameRate, 25);
  Feed("frame=  250 q=2.0 size=     123kB time=10.0 bitrate=  96.0kbits/s");
  EXPECT_EQ(FrameCount, 250);
  EXPECT_EQ(form->ProgressBar1->Position(), 12);
  EXPECT_EQ(form->Label3->Caption(), "frame=  250 q=2.0 size=     123kB time=10.0 bitrate=  96.0kbits/s");
  Feed("frame=  oops q=2.0");  // does not convert: the status changes, the bar stays
  EXPECT_EQ(form->ProgressBar1->Position(), 12);
  Feed("c:\\conv>");  // another letter case is not the prompt
  Feed("C:\\Conv> ");
  EXPECT_FALSE(form->Button2->Enabled());
}

TEST_F(ParserTest, PromptOfTheInputFolderEndsTheLastJob) {
  OutputFile = TempFolder("parser") + "\\1.3gp";
  form->Watch.Sent(OutputFile, "");
  WriteFile(OutputFile, "3gp");
  ParseState = 3;
  FileIndex = Form1->ListBox1->Items()->Count() + 1;  // the last job
  Feed("E:\\VIDEO_TS>");
  EXPECT_TRUE(form->Button2->Enabled());
  EXPECT_EQ(form->ProgressBar1->Position(), 100);
}

// A stall check that fell due while a job start lets messages through would start yet another job.
TEST_F(ParserTest, TheStallTimerIsOffWhileAJobStartLetsMessagesThrough) {
  struct Probe {
    TworkForm* form;
    int ticks = 0;
    bool stallCheckOn = false;
    void Tick(TObject* Sender) {
      static_cast<TTimer*>(Sender)->SetEnabled(false);
      ++ticks;
      stallCheckOn = form->Timer2->Enabled();
    }
  } probe{form};
  Form1->ListBox1->Items()->Clear();
  Form1->ListBox1->Items()->Add("E:\\a.vob");
  Form1->ListBox1->Items()->Add("E:\\b.vob");
  Form1->Edit2->SetText(TempFolder("probe"));
  FileIndex = 1;
  ParseState = 3;
  form->Timer2->SetEnabled(true);  // job 1's stall check still runs when its prompt ends it
  TTimer* due = Create<TTimer>(nullptr);
  due->SetInterval(1);
  due->SetOnTimer(TNotifyEvent::Bind<&Probe::Tick>(&probe));
  Sleep(50);
  form->EndOfJob();
  due->Free();
  ASSERT_EQ(probe.ticks, 1);
  EXPECT_FALSE(probe.stallCheckOn);
  EXPECT_EQ(FileIndex, 2);
  EXPECT_TRUE(form->Timer2->Enabled());  // job 2's own
  form->Timer2->SetEnabled(false);
}

TEST_F(ParserTest, LinesFromAnEarlierShellAreIgnored) {
  ParseState = 3;
  FileIndex = 99;
  TDosCommand* stale = Create<TDosCommand>(nullptr);
  Output::HandleOutputLine(stale, "C:\\Conv>", otBeginningOfLine);
  EXPECT_FALSE(form->Button2->Enabled());
  stale->Free();
}

}  // namespace
