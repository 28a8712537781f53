// The video converter as a person uses it, under Wine: real windows, a real cmd.exe, the test encoder.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>

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
  std::string dir = std::string(base) + "corvale_" + name + "_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  // Process ids repeat from run to run: what an earlier run left must not pass for this run's work.
  for (const char* name : {"\\zov.log", "\\clip.3gp", "\\na\xefve \xfc.3gp"})
    DeleteFileA((dir + name).c_str());
  return dir;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }


class CorvaleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!Form1) Application->CreateForm(Form1);
    Form1->Show();
  }
  void SetUp() override {
    SetEnvironmentVariableA("ZOV_PAUSE", "5");
    SetEnvironmentVariableA("ZOV_STEPS", "4");
    SetEnvironmentVariableA("ZOV_LOG", nullptr);
  }
  // Presses Convert; returns the message box's text, or runs the job until Done is enabled. A question
  // whether to replace the output is answered with replaceAnswer, and the job runs after Yes. No shell
  // runs but the open work form's.
  // With promptFirst the start timer waits until the new shell's first prompt has reached the parser,
  // as on a machine where the shell answers within the timer's 30 ms.
  // silenceMs replaces the thirty seconds of the silence check.
  std::string Convert(const std::string& shot = "", bool promptFirst = false, uint32_t silenceMs = 0) {
    std::string message;
    finished = false;
    messageSkinned = false;
    DWORD start = GetTickCount();
    TStringList shellOutput;
    bool held = promptFirst;
    encoder.reset();
    WatchWhileModal([&, start, silenceMs] {
      if (workForm && silenceMs && workForm->Timer3->Interval() != silenceMs) workForm->Timer3->SetInterval(silenceMs);
      // One look, once the encoder has printed its duration: a process list taken on every tick
      // outlasts the tick on a loaded machine, and the job's message loops never end.
      if (workForm && ParseState >= 2 && !encoder)
        encoder = std::make_unique<WatchedProcesses>(LiveDescendants("zov.exe"));
      if (held) {
        if (shellOutput.Count() == 0 || shellOutput.Strings(shellOutput.Count() - 1).back() != '>') return false;
        held = false;
        doneAtPrompt = workForm->Button2->Enabled();
        workForm->Timer1->SetInterval(30);
      }
      if (!workForm) {
        message = TakeSkinnedMessage(messageSkinned, shot, 100, replaceAnswer == mrNone ? mrOk : replaceAnswer);
        return !message.empty() && replaceAnswer != mrYes;
      }
      if (workForm->Button2->Enabled()) {
        shellsOpen = LiveDescendants("cmd.exe").size();
        if (!shot.empty()) SaveScreenshot(workForm->Handle(), shot);
        workSkinned = IsSkinnedWindow(workForm->Handle()) && HasRoundedTop(workForm->Handle());
        workClient = ClientSizeOf(workForm->Handle());
        memo = workForm->Memo1->Lines()->Text();
        bar = workForm->ProgressBar1->Position();
        finished = true;
        workForm->Button2->Click();
        return true;
      }
      if (GetTickCount() - start > 60000 && workForm) {
        workForm->Close();
        return true;
      }
      return false;
    });
    if (!promptFirst) {
      Form1->Button1Click(nullptr);
    } else {  // Convert's steps, with the start timer held
      workForm = Create<TworkForm>(Application);
      ShellRunner->SetOutputLines(&shellOutput);  // the shell goes before the list, as the form closes
      workForm->Timer1->SetInterval(0);
      workForm->ShowModal();
      workForm->Release();
      workForm = nullptr;
    }
    EXPECT_LE(shellsOpen, 1u);
    EXPECT_TRUE(WaitUntil([] { return LiveDescendants("cmd.exe").empty(); }, 30000)) << "a shell outlives its form";
    return message;
  }
  TModalResult replaceAnswer = mrNone;  // no question expected
  size_t shellsOpen = 0;  // when Done was enabled
  bool finished = false;
  bool doneAtPrompt = false;
  std::unique_ptr<WatchedProcesses> encoder;  // seen once it printed its duration
  bool messageSkinned = false, workSkinned = false;
  SIZE workClient{};
  std::string memo;
  int bar = 0;
};

TEST(ThreeGpExtension, AnyLetterCaseNoTrimming) {
  struct Case {
    const char* name;
    bool ok;
  };
  for (const Case& c : {Case{"clip.3GP", true}, Case{"clip.3gp", true}, Case{"C:\\out\\clip.3Gp", true},
                        Case{"clip.3gp ", false}, Case{"3gp", false}, Case{"", false}, Case{".3gp", true}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(HasThreeGpExtension(c.name), c.ok);
  }
}

TEST_F(CorvaleTest, ConvertRefusesAnOutputNameWithoutThe3gpExtension) {
  Form1->Edit2->SetText("clip.mp4");
  EXPECT_EQ(Convert("corvale-message"), "You have to type the .3gp extension after the file name that you want to save after the "
                       "conversion. Such as abc.3gp");
  EXPECT_TRUE(messageSkinned);
  EXPECT_EQ(workForm, nullptr);
}

TEST_F(CorvaleTest, AConversionFillsTheMemoAndTheBar) {
  std::string dir = TempFolder("whole");
  std::string input = dir + "\\My%20Video%20Clip.avi";  // no %NAME% the shell knows
  std::ofstream(input) << "avi";
  std::string output = dir + "\\clip.3GP";
  Form1->Edit1->SetText(input);
  Form1->Edit2->SetText(output);
  SaveScreenshot(Form1->Handle(), "corvale-main");
  EXPECT_EQ(Convert("corvale-work"), "");
  ASSERT_TRUE(finished) << memo;
  EXPECT_TRUE(workSkinned);
  EXPECT_EQ(workClient.cx, 477);
  EXPECT_EQ(workClient.cy, 267);
  EXPECT_TRUE(IsSkinnedWindow(Form1->Handle()));
  EXPECT_TRUE(HasRoundedTop(Form1->Handle()));
  EXPECT_EQ(ClientSizeOf(Form1->Handle()).cx, 453);
  EXPECT_EQ(ClientSizeOf(Form1->Handle()).cy, 227);
  EXPECT_EQ(bar, 100);
  EXPECT_EQ(memo.rfind("Converting to 3gp video ..\r\n", 0), 0u) << memo;
  EXPECT_NE(memo.find("frame=  250 q="), std::string::npos) << memo;
  EXPECT_TRUE(Exists(output));
}

TEST_F(CorvaleTest, TheShellsFirstPromptBeforeTheJobEndsNothing) {
  std::string dir = TempFolder("prompt");
  std::string input = dir + "\\movie.avi";
  std::ofstream(input) << "avi";
  Form1->Edit1->SetText(input);
  Form1->Edit2->SetText(dir + "\\clip.3gp");
  Convert("", true);
  ASSERT_TRUE(finished) << memo;
  EXPECT_FALSE(doneAtPrompt);
  EXPECT_TRUE(Exists(dir + "\\clip.3gp")) << memo;
  EXPECT_EQ(bar, 100);
}

// A bare output name lands in the shell's folder, the picked one, where the job's end finds it. Names
// with accents reach the encoder as they stand.
TEST_F(CorvaleTest, ABlankInABareOutputNameIsQuotedAndThePickedFoldersPromptEndsTheJob) {
  std::string dir = TempFolder("picked videos");
  std::string input = dir + "\\caf\xe9.avi";
  const std::string output = "na\xefve \xfc.3gp";
  std::ofstream(input) << "avi";
  std::string logFile = dir + "\\zov.log";
  SetEnvironmentVariableA("ZOV_LOG", logFile.c_str());
  // As the open dialog does when a file is picked there: its folder becomes current.
  std::string saved = GetCurrentDir();
  SetCurrentDirectoryA(dir.c_str());
  Form1->Edit1->SetText(input);
  Form1->Edit2->SetText(output);
  Convert();
  SetCurrentDirectoryA(saved.c_str());
  ASSERT_TRUE(finished) << memo;
  EXPECT_EQ(ShellDir, dir);
  EXPECT_TRUE(Exists(dir + "\\" + output));
  EXPECT_EQ(bar, 100) << memo;
  std::ifstream in(logFile);
  std::string received((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(received.find(" \"" + output + "\""), std::string::npos) << received;
  EXPECT_NE(received.find("-i \"" + input + "\""), std::string::npos) << received;
}

// A job that cannot be sent as it stands, or whose encoder writes nothing (also over an earlier file of
// its name), is reported with its reason; an encoder that says why it failed is quoted after it.
TEST_F(CorvaleTest, AJobThatFailsIsReportedWithItsReason) {
  const struct {
    const char* folder;
    const char* output;  // in the folder
    const char* knob;    // the encoder's, as NAME=value
    const char* reason;  // empty: the output's own
    bool programFolderMissing = false, earlierOutput = false;
  } cases[] = {{"nofolder", "clip.3gp", "", "cannot be made current", true},
               {"%OS%", "clip.3gp", "", "holds a %NAME% that the command shell would replace"},
               {"random", "r%RANDOM%.3gp", "", "holds a %NAME% that the command shell would replace"},
               {"euro", "\x80.3gp", "", "holds a character that cannot reach the command shell unchanged"},
               {"wide", "", "", "??.3gp holds a character that cannot reach the command shell unchanged"},
               {"nooutfolder", "missing\\clip.3gp", "", ""},
               {"emptyout", "clip.3gp", "ZOV_OUTPUT=empty", ""},
               {"earlier", "clip.3gp", "ZOV_OUTPUT=0", "", false, true},
               {"refused", "clip.3gp", "ZOV_REFUSE=Unknown encoder 'xvid'", "Error. Stopped\r\nUnknown encoder 'xvid'\r\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    std::string dir = TempFolder(c.folder);
    std::ofstream(dir + "\\movie.avi") << "avi";
    Form1->Edit1->SetText(dir + "\\movie.avi");
    Form1->Edit2->SetText(dir + "\\" + c.output);
    if (!*c.output) SetWindowTextW(Form1->Edit2->Handle(), L"\u65e5\u672c.3gp");  // not in the program's code page
    if (c.earlierOutput) std::ofstream(dir + "\\" + c.output) << "earlier";
    const std::string knob = c.knob, name = knob.substr(0, knob.find('='));
    if (!knob.empty()) SetEnvironmentVariableA(name.c_str(), knob.substr(name.size() + 1).c_str());
    std::string saved = ProgramDir;
    if (c.programFolderMissing) ProgramDir = dir + "\\missing";
    replaceAnswer = c.earlierOutput ? mrYes : mrNone;
    const std::string message = Convert();
    replaceAnswer = mrNone;
    ProgramDir = saved;
    if (!knob.empty()) SetEnvironmentVariableA(name.c_str(), nullptr);
    ASSERT_TRUE(finished);
    EXPECT_EQ(message.empty(), !c.earlierOutput) << message;
    const std::string reason = *c.reason ? c.reason : NoOutputMessage(dir + "\\" + c.output);
    EXPECT_NE(memo.find(reason), std::string::npos) << memo;
    EXPECT_NE(memo.find("Error. Stopped"), std::string::npos) << memo;
    EXPECT_NE(bar, 100);
  }
}

TEST_F(CorvaleTest, AnExistingOutputIsReplacedOnlyAfterYes) {
  std::string dir = TempFolder("replace");
  std::ofstream(dir + "\\movie.avi") << "avi";
  std::ofstream(dir + "\\clip.3gp") << "mine";
  Form1->Edit1->SetText(dir + "\\movie.avi");
  Form1->Edit2->SetText(dir + "\\clip.3gp");
  for (TModalResult answer : {mrNo, mrYes}) {
    replaceAnswer = answer;
    EXPECT_EQ(Convert(answer == mrNo ? "corvale-question" : ""), ReplaceQuestion(dir, {"clip.3gp"}));
    EXPECT_EQ(finished, answer == mrYes);
    std::ifstream in(dir + "\\clip.3gp");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}) == "mine", answer == mrNo);
  }
  replaceAnswer = mrNone;
}

// Encoders that never exit: silent before their frame rate (ten seconds) or after it (thirty); the
// file one had begun goes with it.
struct HangCase {
  const char* stage;
  uint32_t silenceMs;
};
class HangingEncoder : public CorvaleTest, public ::testing::WithParamInterface<HangCase> {};

TEST_P(HangingEncoder, IsReportedInTheMemoAndEnded) {
  std::string dir = TempFolder(std::string("hang") + GetParam().stage);
  std::string input = dir + "\\movie.avi";
  std::ofstream(input) << "avi";
  std::ofstream(input + ".zov") << "hang=" << GetParam().stage << "\n";
  Form1->Edit1->SetText(input);
  Form1->Edit2->SetText(dir + "\\clip.3gp");
  Convert("", false, GetParam().silenceMs);
  ASSERT_TRUE(finished);
  EXPECT_NE(memo.find("Error. Stopped"), std::string::npos) << memo;
  EXPECT_FALSE(Exists(dir + "\\clip.3gp")) << memo;
  ASSERT_TRUE(encoder);
  EXPECT_TRUE(WaitUntil([&] { return encoder->AllEnded(); }, 30000));
}

INSTANTIATE_TEST_SUITE_P(Corvale, HangingEncoder,
                         ::testing::Values(HangCase{"duration", 0}, HangCase{"stream", 3000}, HangCase{"progress", 3000}),
                         [](const ::testing::TestParamInfo<HangCase>& info) {
                           return std::string("After_") + info.param.stage;
                         });

}  // namespace
