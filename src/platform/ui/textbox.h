#pragma once
// The text box: one line or several (with a vertical scroll bar), password
// character, Locked (read-only), MaxLength and the selection.
#include <string>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

class TextBox : public Control {
public:
  using Control::Control;

  void Create(Container& parent, int left, int top, int width, int height, bool multiLine = false,
              bool verticalScroll = false);

  std::string Text();
  void Text(const std::string& text);  // raises Change when the text differs
  std::string PasswordChar();
  void PasswordChar(const std::string& ch);
  bool Locked();
  void Locked(bool on);
  int MaxLength();
  void MaxLength(int chars);  // 0: no limit
  int SelStart();
  void SelStart(int pos);
  int SelLength();
  void SelLength(int len);
  std::string SelText();
  bool MultiLine() const { return multiLine_; }
  // Twips of height a multi-line box needs to show each of the texts whole,
  // wrapped as the box wraps them at its width; its text stays as it was.
  int FitHeight(const std::vector<std::string>& texts);

  bool wantsReturn() const override { return multiLine_; }
  bool takesContainerBack() const override { return false; }
  void onCommand(int code) override;
  bool onCtlColor(HDC dc, LRESULT& result) override;

protected:
  bool handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void resetState() override;

private:
  bool multiLine_ = false, locked_ = false;
  int maxLength_ = 0;
  std::string password_;
  int quiet_ = 0;  // Change is raised by Text() itself, not by EN_CHANGE
};

}  // namespace ui
