#include "core/dialog_button.h"

Button::~Button() {
  // The window may outlive the form's tear-down only at program end; the
  // drawn control must not call back into a destroyed wrapper.
  if (button_) button_->events = ctl::ButtonEvents{};
}

void Button::Create(ui::Container& parent, int left, int top, int width, int height, const std::string& caption) {
  caption_ = caption;
  CreateHosted(parent, left, top, width, height, [this](HWND owner, const RECT& px) -> HWND {
    button_ = std::make_unique<ctl::Button>();
    ctl::FontDesc font;
    font.name = "Tahoma";
    button_->InitProperties(caption_, font);
    button_->SetCaption(caption_);
    button_->events.Click = [this] { fire(Click); };
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
