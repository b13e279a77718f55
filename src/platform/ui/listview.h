#pragma once
// The list view in report view. The items live in the wrapper's own vector
// and the control only shows them (LVS_OWNERDATA): the control asks for the
// texts it paints, check boxes are state images the wrapper answers, and
// sorting sorts the vector. That keeps lists of tens of thousands of rows
// fast, also where the control's own item search is linear. A fill of a
// hundred thousand rows sets a million texts, so items and their texts are
// laid out in blocks the list owns and reuses after Clear, not allocated one
// by one.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/control.h"

namespace ui {

class ListView;
class ImageList;

enum ListAlignment { lvwColumnLeft = 0, lvwColumnRight = 1, lvwColumnCenter = 2 };
enum SortOrder { lvwAscending = 0, lvwDescending = 1 };

class ListItem {
public:
  std::string Text() const { return std::string(cell(0)); }
  void Text(const std::string& t);
  // Sub-items from 1 (the second column); unset ones read as the empty text.
  std::string SubItems(int index) const;
  void SubItems(int index, const std::string& t);
  bool Checked() const { return checked_; }
  void Checked(bool on);
  bool Selected() const { return selected_; }
  void Selected(bool on);
  int Index() const { return index_ + 1; }
  // Scrolls the list so that the item shows.
  void EnsureVisible();
  std::string Key() const { return std::string(key_.view()); }
  // The text of column k from 0 (0: the item's own text), valid until the
  // cell is set again or the item is removed.
  std::string_view cell(int column) const;

private:
  friend class ListView;
  // A text in the list's store; set again in place while it fits.
  struct Span {
    char* data = nullptr;
    std::uint32_t size = 0, capacity = 0;
    std::string_view view() const { return {data, size}; }
  };
  void setCell(int column, const std::string& t);

  ListView* owner_ = nullptr;
  Span* cells_ = nullptr;  // column 0 is the item's own text
  Span key_;
  int cellCount_ = 0;
  int index_ = 0;
  bool checked_ = false, selected_ = false;
};

class ColumnHeader {
public:
  const std::string& Text() const { return text_; }
  void Text(const std::string& t);
  int Width();  // twips
  void Width(int twips);
  int Alignment() const { return align_; }
  int Index() const { return index_ + 1; }
  // Key of a picture in the list view's ColumnHeaderIcons; empty: none.
  const std::string& Icon() const { return icon_; }
  void Icon(const std::string& key);

private:
  friend class ListView;
  ListView* owner_ = nullptr;
  std::string text_, icon_;
  int width_ = 1440, align_ = lvwColumnLeft, index_ = 0;
};

class ListView : public Control {
public:
  explicit ListView(Form* form);

  void Create(Container& parent, int left, int top, int width, int height);

  struct Items {
    ListView* lv;
    // Adds an item at the end (or at a 1-based position); a sorted list puts
    // it in its sorted place.
    ListItem& Add(const std::string& text = "", const std::string& key = "", int index = 0);
    void Clear();
    int Count();
    ListItem& Item(int index);  // from 1; error 35600 outside
    void Remove(int index);
  } ListItems{this};

  struct Headers {
    ListView* lv;
    ColumnHeader& Add(const std::string& text, int widthTwips = 1440, int alignment = lvwColumnLeft);
    void Clear();
    int Count();
    ColumnHeader& Item(int index);  // from 1
  } ColumnHeaders{this};

  int SortKey();
  void SortKey(int column);  // from 0; error 380 outside the columns
  int SortOrder();
  void SortOrder(int order);
  bool Sorted();
  void Sorted(bool on);  // true sorts now (and after every change of key or order)

  bool FullRowSelect();
  void FullRowSelect(bool on);
  bool GridLines();
  void GridLines(bool on);
  bool CheckBoxes();
  void CheckBoxes(bool on);
  bool HideSelection();
  void HideSelection(bool on);
  bool MultiSelect();
  void MultiSelect(bool on);
  void ColumnHeaderIcons(ImageList* icons);

  // Twips the column (from 1) needs to show its header whole, beside an icon
  // when the list has header icons, and widestCell whole in a sub-item's
  // cell, measured in the fonts the list and its header draw with. The
  // designed width when the list has no window.
  int FitWidth(int index, const std::string& widestCell = "");

  // The selected item (the first, when several are); nullptr when none.
  ListItem* SelectedItem();

  std::function<void(ColumnHeader&)> ColumnClick;
  std::function<void(ListItem&)> ItemClick;
  std::function<void(ListItem&)> ItemCheck;

  // --- runtime internals ---
  bool takesContainerBack() const override { return false; }
  bool onNotify(NMHDR* nm, LRESULT& result) override;
  void itemChanged();
  void itemSelected(ListItem& item, bool on);
  void ensureVisible(ListItem& item);
  void headerChanged(ColumnHeader& h);

protected:
  bool handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
  void resetState() override;

private:
  friend class ListItem;
  // Storage of the items and their texts, kept across Clear.
  class Store {
  public:
    ListItem* newItem();
    char* bytes(size_t n, size_t align = 1);
    void clear();    // every item and text gone; the blocks stay for reuse
    void release();  // the blocks too
  private:
    static constexpr size_t kItemsPerBlock = 1024, kBytesPerBlock = 64 * 1024;
    std::vector<std::unique_ptr<ListItem[]>> itemBlocks_;
    size_t items_ = 0;  // handed out since the last clear
    struct Bytes {
      std::unique_ptr<char[]> data;
      size_t size;
    };
    std::vector<Bytes> byteBlocks_;
    size_t byteBlock_ = 0, byteUsed_ = 0;
  };
  ListItem::Span* newCells(int count);

  void sortNow();
  void renumber(size_t from);
  void syncCount();
  void reapplySelection();
  void applyExStyles();
  void applyStyle(DWORD bit, bool on);
  void toggleCheck(int index);
  int headerMargin(HWND header);
  void drawHeaderItem(const DRAWITEMSTRUCT& dis);
  LRESULT customDraw(NMLVCUSTOMDRAW& cd);
  HFONT cellFont(HDC dc, HFONT own, std::string_view text);
  HIMAGELIST checkImages();

  Store store_;
  std::vector<ListItem*> items_;
  std::vector<std::unique_ptr<ColumnHeader>> headers_;
  int sortKey_ = 0, sortOrder_ = lvwAscending;
  bool sorted_ = false, fullRow_ = false, grid_ = false, checkBoxes_ = false, hideSel_ = true, multi_ = false;
  ImageList* headerIcons_ = nullptr;
  bool syncPending_ = false;
  int quiet_ = 0;            // selection changes made by the wrapper itself
  int selectedHint_ = -1;    // a selected row, to find SelectedItem fast
  size_t shownCount_ = 0;    // item count the control knows
  bool cleared_ = false;     // Clear ran since the control last learnt the items
  std::wstring dispBuf_;
};

}  // namespace ui
