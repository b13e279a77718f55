// In the program the evaluator's boxes are the forms runtime's message box
// and input box, so that they show as every other box of the program does.
#include <gtest/gtest.h>

#include "app/wiring.h"
#include "json/json_evaluator.h"
#include "json/utf.h"
#include "platform/ui/testing.h"

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
  EXPECT_EQ(recorder.boxes[1].prompt, "Invalid Boolean at position 2 : tru\r\n");
}

}  // namespace
