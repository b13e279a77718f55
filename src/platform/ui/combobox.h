#pragma once
// The combo box: a drop-down combo (typed text or a list item) or a
// drop-down list (list items only). Click is raised when the chosen item
// changes (by the user or by setting ListIndex); Change when the typed text
// changes (by the user or by setting Text).
#include <vector>

#include "platform/ui/control.h"

namespace ui {

enum ComboStyle { vbComboDropdown = 0, vbComboDropdownList = 2 };

class ComboBox : public Control {
public:
  using Control::Control;

  void Create(Container& parent, int left, int top, int width, int style = vbComboDropdown);

  void AddItem(const std::string& item, int index = -1);
  void RemoveItem(int index);
  void Clear();
  int ListCount();
  std::string List(int index);
  int ListIndex();
  void ListIndex(int index);  // -1: nothing chosen
  std::string Text();
  // A list item's text (any letter case) chooses that item; in a drop-down
  // list any other text is error 383.
  void Text(const std::string& text);
  int Style() const { return style_; }

  bool takesContainerBack() const override { return false; }
  void onCommand(int code) override;

protected:
  bool handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void applyBounds(int x, int y, int w, int h) override;
  void applyFont() override;
  void resetState() override;

private:
  HWND edit_ = nullptr;
  int style_ = vbComboDropdown;
  int lastIndex_ = -1;
  bool inSelChange_ = false;
};

}  // namespace ui
