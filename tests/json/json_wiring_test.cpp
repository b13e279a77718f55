// In the program the evaluator's boxes are the forms runtime's message box
// and input box, so that they show as every other box of the program does.
#include <gtest/gtest.h>

#include "app/wiring.h"
#include "json/json_evaluator.h"
#include "json/utf.h"
#include "platform/ui/seams.h"
#include "platform/ui/testing.h"
#include "support/win_test_support.h"

namespace {

TEST(JsonWiring, BoxesGoThroughTheProgramsSeams) {
  app::wireProgram();
  ui::testing::SeamRecorder recorder;
  recorder.inputAnswers = {"Dewi"};
  json::JsonEvaluator ev;

  const std::u16string out = ev.Eval(
      uR"([{"alert":{"message":"Tersimpan","title":"Talvoren"}}, {"input":{"prompt":"Nama?","title":"Isi","default":"-"}}])");
  EXPECT_EQ(json::toUtf8(out), "Dewi");
  ASSERT_EQ(recorder.boxes.size(), 1u);
  EXPECT_EQ(recorder.boxes[0].prompt, "Tersimpan");
  EXPECT_EQ(recorder.boxes[0].title, "Talvoren");
  EXPECT_EQ(recorder.boxes[0].flags, ui::vbInformation);
  ASSERT_EQ(recorder.inputPrompts.size(), 1u);
  EXPECT_EQ(recorder.inputPrompts[0], "Nama?");

  EXPECT_EQ(ev.Eval(u"[tru"), u"");
  ASSERT_EQ(recorder.boxes.size(), 2u);
  EXPECT_EQ(recorder.boxes[1].title, "Parser Error");
  EXPECT_EQ(recorder.boxes[1].flags, ui::vbExclamation | ui::vbOKOnly);
  EXPECT_EQ(recorder.boxes[1].prompt, "Invalid Boolean at position 2 : tru\r\nMissing ']': [tru\r\n");
}

// The real boxes as a user sees them: a timer in each box's own message loop
// saves its picture and presses OK.
std::vector<std::wstring> pendingTitles;
int shots = 0;

void CALLBACK pressOk(HWND, UINT, UINT_PTR, DWORD) {
  static bool busy = false;  // the pumping below dispatches this timer again
  if (busy) return;
  busy = true;
  struct Done {
    ~Done() { busy = false; }
  } done;
  for (auto it = pendingTitles.begin(); it != pendingTitles.end(); ++it) {
    HWND box = FindWindowW(nullptr, it->c_str());
    if (!box || !IsWindowVisible(box)) continue;
    SetForegroundWindow(box);
    vt::test::PumpMessages(300);
    vt::test::SaveScreenPng(box, "json-box-" + std::to_string(++shots) + ".png");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    pendingTitles.erase(it);
    return;
  }
}

TEST(JsonWiring, TheRealBoxesShowAndClose) {
  app::wireProgram();
  ui::resetSeams();
  pendingTitles = {L"Talvoren", L"Isi", L"Parser Error"};
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, pressOk);
  json::JsonEvaluator ev;
  const std::u16string out = ev.Eval(
      uR"([{"alert":{"message":"Kwitansi tersimpan.","title":"Talvoren"}}, {"input":{"prompt":"Nama pembayar?","title":"Isi","default":"Dewi"}}])");
  EXPECT_EQ(json::toUtf8(out), "Dewi");  // OK takes the default text
  EXPECT_EQ(ev.Eval(u"{\"nama\": tru, \"kota\": 'Bandung'"), u"");
  KillTimer(nullptr, timer);
  EXPECT_TRUE(pendingTitles.empty());  // every box showed
}

}  // namespace
