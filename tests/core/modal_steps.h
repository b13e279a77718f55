// A dialog driven as the program drives it: shown modal, so that its input
// goes through the program's own message loop (Form::ShowModal and its
// keyboard handling), while the test's steps run from inside that loop.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/testing.h"

namespace vt::test {

// Shows the form modal and runs the steps one after another from a timer of
// the running loop, stepMs apart, so that the input a step sends has been
// handled by the loop before the next step looks at the result. After the
// last step the form is hidden (if a step has not closed it already), which
// ends the modal loop; a step that closes it ends the run there.
void RunModal(ui::Form& form, std::vector<std::function<void()>> steps, int stepMs = 300);

// From now on the question with this prompt is the system's own message box,
// recorded in `seams` and answered with a real Enter once it shows (a picture
// of it saved as `shot` if set); other boxes go to the seams set before.
void AnswerWithEnter(ui::testing::SeamRecorder& seams, const std::string& prompt, const std::string& shot = "");

}  // namespace vt::test
