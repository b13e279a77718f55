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

// From now on the question whose prompt is `prompt` is the system's own
// message box (ui::RealMsgBox), answered as a clerk in a hurry answers it:
// Enter pressed on the keyboard once the box shows. It is recorded in
// `seams` like every box; the other boxes go on to the seam set before. A
// picture of the box goes to the screenshots as `shot` when that is set.
void AnswerWithEnter(ui::testing::SeamRecorder& seams, const std::string& prompt, const std::string& shot = "");

}  // namespace vt::test
