#include "core/dialog_button.h"

#include <cstdint>

#include "platform/ui/form.h"

namespace {

// What each dialog stores for every one of its buttons; the keys it leaves
// out load as their defaults (enabled, focus mark shown, no picture).
ctl::PropertyBag storedDesign(const std::string& caption) {
  ctl::PropertyBag bag;
  bag.Write("BTYPE", int32_t{5});
  bag.Write("TX", caption);
  bag.Write("FONT", ctl::FontDesc{});  // Tahoma
  bag.Write("COLTYPE", int32_t{1});
  bag.Write("BCOL", int32_t{0xF0F0F0});
  bag.Write("FCOL", int32_t{0});
  bag.Write("MCOL", int32_t{0xC0C0C0});
  bag.Write("PICPOS", int32_t{0});
  return bag;
}

}  // namespace

Button::~Button() {
  // The window may outlive the form's tear-down only at program end; the
  // drawn control must not call back into a destroyed wrapper.
  if (button_) {
    button_->events = ctl::ButtonEvents{};
    button_->SendTab = nullptr;
  }
}

void Button::Create(ui::Container& parent, int left, int top, int width, int height, const std::string& caption) {
  caption_ = caption;
  CreateHosted(parent, left, top, width, height, [this](HWND owner, const RECT& px) -> HWND {
    button_ = std::make_unique<ctl::Button>();
    button_->ReadProperties(storedDesign(caption_));
    button_->events.Click = [this] { fire(Click); };
    // The arrows move as Tab and Shift+Tab do on the form, in its tab order.
    button_->SendTab = [this](bool shiftTab) { form().moveFocus(shiftTab); };
    if (!button_->Create(owner, px.left, px.top, px.right - px.left, px.bottom - px.top, 0)) {
      button_.reset();
      return nullptr;
    }
    return button_->hwnd();
  });
  // Dialogs set their own font on the form; the buttons keep Tahoma.
  font_.name = "Tahoma";
  applyFont();
}

std::string Button::Caption() {
  ensureLoaded();
  return caption_;
}

void Button::Caption(const std::string& text) {
  ensureLoaded();
  caption_ = text;
  if (button_) button_->SetCaption(text);
}

void Button::press() {
  if (button_ && button_->Enabled()) fire(Click);
}

wchar_t Button::accessKey() {
  if (!button_) return 0;
  const std::wstring key = ui::Widen(button_->AccessKeys());
  return key.size() == 1 ? key[0] : 0;
}

void Button::pressAccessKey() {
  if (button_) button_->PressAccessKey();
}

void Button::onHostedDestroyed() {
  button_.reset();
  caption_.clear();
}

void Button::applyFont() {
  if (!button_) return;
  ctl::FontDesc f;
  f.name = font_.name;
  f.size = font_.size;
  f.bold = font_.bold;
  f.italic = font_.italic;
  f.underline = font_.underline;
  button_->SetFont(f);
}

void Button::applyEnabled(bool v) {
  if (button_) button_->SetEnabled(v);
}
