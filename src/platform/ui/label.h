#pragma once
// The label: a caption painted by its container (no window of its own), with
// alignment, AutoSize, word wrap and an opaque or transparent back.
#include "platform/ui/control.h"

namespace ui {

enum Alignment { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };
enum BackStyle { vbTransparent = 0, vbOpaque = 1 };

class Label : public Control {
public:
  using Control::Control;

  void Create(Container& parent, int left, int top, int width, int height, const std::string& caption = "");

  std::string Caption();
  void Caption(const std::string& text);
  int Alignment();
  void Alignment(int a);
  bool AutoSize();
  void AutoSize(bool on);  // the label takes the size of its caption
  bool WordWrap();
  void WordWrap(bool on);
  int BackStyle();
  void BackStyle(int s);

  void paintWindowless(HDC dc) override;

protected:
  void applyFont() override;
  void resetState() override;

private:
  void fit();
  std::string caption_;
  int align_ = vbLeftJustify, backStyle_ = vbOpaque;
  bool autoSize_ = false, wordWrap_ = false;
};

}  // namespace ui
