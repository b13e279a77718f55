#include "platform/ui/listview.h"

#include <algorithm>
#include <map>
#include <new>

#include <usp10.h>

#include "platform/ui/form.h"
#include "platform/ui/imagelist.h"
#include "platform/vb/error.h"

namespace ui {

namespace {
const UINT kSync = WM_APP + 0x3A1;
}

// --- items and headers ---------------------------------------------------------------

std::string_view ListItem::cell(int column) const {
  if (column < 0 || column >= cellCount_) return {};
  return cells_[column].view();
}

void ListItem::setCell(int column, const std::string& t) {
  if (column >= cellCount_) {
    // Room for the new column: the spans move to a longer run.
    ListItem::Span* more = owner_->newCells(column + 1);
    std::copy(cells_, cells_ + cellCount_, more);
    cells_ = more;
    cellCount_ = column + 1;
  }
  Span& c = cells_[column];
  if (t.size() > c.capacity) {
    c.data = owner_->store_.bytes(t.size());
    c.capacity = static_cast<std::uint32_t>(t.size());
  }
  std::copy(t.begin(), t.end(), c.data);
  c.size = static_cast<std::uint32_t>(t.size());
  owner_->itemChanged();
}

void ListItem::Text(const std::string& t) { setCell(0, t); }

std::string ListItem::SubItems(int index) const {
  if (index < 1) vb::raise(380, "Invalid property value");
  return std::string(cell(index));
}

void ListItem::SubItems(int index, const std::string& t) {
  if (index < 1) vb::raise(380, "Invalid property value");
  setCell(index, t);
}

void ListItem::Checked(bool on) {
  checked_ = on;
  if (owner_) owner_->itemChanged();
}

void ListItem::Selected(bool on) {
  if (owner_) owner_->itemSelected(*this, on);
  else selected_ = on;
}

void ListItem::EnsureVisible() {
  if (owner_) owner_->ensureVisible(*this);
}

void ColumnHeader::Text(const std::string& t) {
  text_ = t;
  if (owner_) owner_->headerChanged(*this);
}
int ColumnHeader::Width() { return width_; }
void ColumnHeader::Width(int twips) {
  width_ = twips;
  if (owner_) owner_->headerChanged(*this);
}
void ColumnHeader::Icon(const std::string& key) {
  icon_ = key;
  if (owner_) owner_->headerChanged(*this);
}

// --- the list view ---------------------------------------------------------------------

ListView::ListView(Form* form) : Control(form) {}

void ListView::Create(Container& parent, int left, int top, int width, int height) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  DWORD style = WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHAREIMAGELISTS;
  if (!hideSel_) style |= LVS_SHOWSELALWAYS;
  if (!multi_) style |= LVS_SINGLESEL;
  createWindow(parent, WC_LISTVIEWW, style, WS_EX_CLIENTEDGE, left, top, width, height);
  applyExStyles();
}

void ListView::applyExStyles() {
  HWND h = Control::hwnd();
  if (!h) return;
  DWORD ex = LVS_EX_HEADERDRAGDROP * 0 | (fullRow_ ? LVS_EX_FULLROWSELECT : 0) | (grid_ ? LVS_EX_GRIDLINES : 0);
  SendMessageW(h, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, ex);
  if (checkBoxes_) {
    SendMessageW(h, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(checkImages()));
    SendMessageW(h, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
  } else {
    SendMessageW(h, LVM_SETIMAGELIST, LVSIL_STATE, 0);
    SendMessageW(h, LVM_SETCALLBACKMASK, 0, 0);
  }
  InvalidateRect(h, nullptr, TRUE);
}

// The two state pictures of the check boxes, drawn by the system once.
HIMAGELIST ListView::checkImages() {
  static HIMAGELIST list = [] {
    HIMAGELIST l = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    ScopedGetDC screen(nullptr);
    for (int checked = 0; checked < 2; ++checked) {
      OwnedBitmap bmp(CreateCompatibleBitmap(screen, 16, 16));
      {
        OwnedMemDC mem(screen);
        ScopedSelect sel(mem, bmp);
        RECT all{0, 0, 16, 16};
        FillRect(mem, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        RECT box{2, 2, 15, 15};
        DrawFrameControl(mem, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
      }
      ImageList_Add(l, bmp, nullptr);
    }
    return l;
  }();
  return list;
}

void ListView::applyStyle(DWORD bit, bool on) {
  HWND h = Control::hwnd();
  if (!h) return;
  LONG s = GetWindowLongW(h, GWL_STYLE);
  SetWindowLongW(h, GWL_STYLE, on ? (s | static_cast<LONG>(bit)) : (s & ~static_cast<LONG>(bit)));
  InvalidateRect(h, nullptr, TRUE);
}

bool ListView::FullRowSelect() { ensureLoaded(); return fullRow_; }
void ListView::FullRowSelect(bool on) { ensureLoaded(); fullRow_ = on; applyExStyles(); }
bool ListView::GridLines() { ensureLoaded(); return grid_; }
void ListView::GridLines(bool on) { ensureLoaded(); grid_ = on; applyExStyles(); }
bool ListView::CheckBoxes() { ensureLoaded(); return checkBoxes_; }
void ListView::CheckBoxes(bool on) { ensureLoaded(); checkBoxes_ = on; applyExStyles(); }
bool ListView::HideSelection() { ensureLoaded(); return hideSel_; }
void ListView::HideSelection(bool on) { ensureLoaded(); hideSel_ = on; applyStyle(LVS_SHOWSELALWAYS, !on); }
bool ListView::MultiSelect() { ensureLoaded(); return multi_; }
void ListView::MultiSelect(bool on) { ensureLoaded(); multi_ = on; applyStyle(LVS_SINGLESEL, !on); }

void ListView::ColumnHeaderIcons(ImageList* icons) {
  HWND h = hwnd();
  headerIcons_ = icons;
  if (!h) return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0));
  if (header) SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(icons ? icons->Handle() : nullptr));
  for (auto& c : headers_) headerChanged(*c);
}

// The margin the header keeps on either side of its text and of its icon; the
// list pads its cells alike.
int ListView::headerMargin(HWND header) {
  const int margin = static_cast<int>(SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0));
  return margin > 0 ? margin : 3 * GetSystemMetrics(SM_CXEDGE);
}

int ListView::FitWidth(int index, const std::string& widestCell) {
  ColumnHeader& c = ColumnHeaders.Item(index);
  HWND h = Control::hwnd();
  HWND header = h ? reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0)) : nullptr;
  if (!header) return c.width_;
  const int margin = headerMargin(header);
  ScopedGetDC dc(header);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0));
  ScopedSelect sel(dc, font ? font : FontFor(font_));
  const std::wstring text = Widen(c.text_);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  int need = size.cx + 2 * margin;
  if (headerIcons_ && headerIcons_->Count() > 0) need += headerIcons_->ImageWidth() + 2 * margin;
  if (!widestCell.empty()) {
    const std::wstring cell = Widen(widestCell);
    const int cellW = static_cast<int>(SendMessageW(h, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(cell.c_str())));
    need = std::max(need, cellW + 2 * margin);
  }
  int twips = PixelsToTwipsX(need);
  while (TwipsToPixelsX(twips) < need) ++twips;
  return twips;
}

// --- columns ---------------------------------------------------------------------------

ColumnHeader& ListView::Headers::Add(const std::string& text, int widthTwips, int alignment) {
  HWND h = lv->hwnd();
  auto c = std::make_unique<ColumnHeader>();
  c->owner_ = lv;
  c->text_ = text;
  c->width_ = widthTwips;
  c->align_ = alignment;
  c->index_ = static_cast<int>(lv->headers_.size());
  if (h) {
    std::wstring w = Widen(text);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = alignment == lvwColumnRight ? LVCFMT_RIGHT : alignment == lvwColumnCenter ? LVCFMT_CENTER : LVCFMT_LEFT;
    col.cx = TwipsToPixelsX(widthTwips);
    col.pszText = &w[0];
    SendMessageW(h, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c->index_), reinterpret_cast<LPARAM>(&col));
  }
  lv->headers_.push_back(std::move(c));
  if (h) lv->headerChanged(*lv->headers_.back());
  return *lv->headers_.back();
}

void ListView::Headers::Clear() {
  HWND h = lv->hwnd();
  if (h)
    while (SendMessageW(h, LVM_DELETECOLUMN, 0, 0)) {
    }
  lv->headers_.clear();
}

int ListView::Headers::Count() {
  lv->ensureLoaded();
  return static_cast<int>(lv->headers_.size());
}

ColumnHeader& ListView::Headers::Item(int index) {
  lv->ensureLoaded();
  if (index < 1 || index > static_cast<int>(lv->headers_.size())) vb::raise(35600, "Index out of bounds");
  return *lv->headers_[static_cast<size_t>(index) - 1];
}

void ListView::headerChanged(ColumnHeader& c) {
  HWND h = Control::hwnd();
  if (!h) return;
  std::wstring w = Widen(c.text_);
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH;
  col.cx = TwipsToPixelsX(c.width_);
  col.pszText = &w[0];
  SendMessageW(h, LVM_SETCOLUMNW, static_cast<WPARAM>(c.index_), reinterpret_cast<LPARAM>(&col));
  HWND header = reinterpret_cast<HWND>(SendMessageW(h, LVM_GETHEADER, 0, 0));
  if (!header) return;
  // Setting the text resets the item's format, so all of it is set again.
  // The list draws its header items itself (drawHeaderItem); the text and
  // the image stay with the header, which measures them when it sizes.
  HDITEMW hi{};
  const int image = headerIcons_ ? headerIcons_->Index(c.icon_) : 0;
  hi.mask = HDI_FORMAT | HDI_IMAGE;
  hi.fmt = HDF_STRING | HDF_OWNERDRAW |
           (c.align_ == lvwColumnRight ? HDF_RIGHT : c.align_ == lvwColumnCenter ? HDF_CENTER : HDF_LEFT);
  if (image > 0) {
    hi.fmt |= HDF_IMAGE;
    hi.iImage = image - 1;
  } else {
    hi.iImage = I_IMAGENONE;
  }
  SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(c.index_), reinterpret_cast<LPARAM>(&hi));
  InvalidateRect(header, nullptr, TRUE);
}

// A header item as the header would draw it: the icon at the left, the text
// beside it in the column's alignment, "..." only when the text does not fit.
// The text gets all the room left, and may run into the margin: some faces
// draw a last letter (an "r") a little past the width they measure it with.
void ListView::drawHeaderItem(const DRAWITEMSTRUCT& dis) {
  if (dis.itemID >= headers_.size()) return;
  const ColumnHeader& c = *headers_[dis.itemID];
  HDC dc = dis.hDC;
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, dis.rcItem.left, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom);
  const int margin = headerMargin(dis.hwndItem);
  RECT r = dis.rcItem;
  if (dis.itemState & ODS_SELECTED) OffsetRect(&r, 1, 1);  // pressed
  r.left += margin;
  r.right -= margin;
  const int image = headerIcons_ ? headerIcons_->Index(c.icon_) : 0;
  if (image > 0) {
    ImageList_Draw(headerIcons_->Handle(), image - 1, dc, r.left,
                   (r.top + r.bottom - headerIcons_->ImageHeight()) / 2, ILD_TRANSPARENT);
    r.left += headerIcons_->ImageWidth() + 2 * margin;
  }
  if (r.right > r.left) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dis.hwndItem, WM_GETFONT, 0, 0));
    SelectObject(dc, font ? font : FontFor(font_));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const UINT align = c.align_ == lvwColumnRight ? DT_RIGHT : c.align_ == lvwColumnCenter ? DT_CENTER : DT_LEFT;
    std::wstring text = Widen(c.text_);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_NOCLIP);
  }
  RestoreDC(dc, saved);
}

// --- cells in scripts that join ---------------------------------------------------------

namespace {

// The faces the system links a face to for the characters it lacks, in order.
const std::vector<std::wstring>& linkedFaces(const std::wstring& face) {
  static auto* cache = new std::map<std::wstring, std::vector<std::wstring>>();
  auto found = cache->find(face);
  if (found != cache->end()) return found->second;
  std::vector<std::wstring>& out = (*cache)[face];
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink", 0,
                    KEY_READ, &key) != ERROR_SUCCESS)
    return out;
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, face.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_MULTI_SZ) {
    std::wstring data(size / sizeof(wchar_t) + 2, L'\0');
    if (RegQueryValueExW(key, face.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) == ERROR_SUCCESS)
      for (const wchar_t* entry = data.c_str(); *entry; entry += wcslen(entry) + 1) {
        const wchar_t* comma = wcschr(entry, L',');
        std::wstring linked = comma ? std::wstring(comma + 1) : std::wstring();
        linked = linked.substr(0, linked.find(L','));
        if (!linked.empty()) out.push_back(linked);
      }
  }
  RegCloseKey(key);
  return out;
}

// Which characters the font selected into the DC has no glyph for.
std::vector<bool> lacks(HDC dc, const std::wstring& chars) {
  std::vector<WORD> glyphs(chars.size(), 0xFFFF);
  GetGlyphIndicesW(dc, chars.c_str(), static_cast<int>(chars.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
  std::vector<bool> out(chars.size());
  for (size_t i = 0; i < chars.size(); ++i) out[i] = glyphs[i] == 0xFFFF;
  return out;
}

}  // namespace

// Letters that join (Arabic) are joined only by a font that has them; the
// control draws a text with the font it is given, whose links supply the
// letters one by one. A cell with such letters that the list's font lacks
// is drawn in the first face the system links that font to that has them,
// as the reports do; any other cell keeps the list's font.
HFONT ListView::cellFont(HDC dc, HFONT own, std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) return own;
  const std::wstring w = Widen(text);
  if (ScriptIsComplex(w.c_str(), static_cast<int>(w.size()), SIC_COMPLEX) != S_OK) return own;
  ScopedSelect keep(dc, own);
  const std::vector<bool> missing = lacks(dc, w);
  std::wstring lacking;
  for (size_t i = 0; i < w.size(); ++i)
    if (missing[i] && ScriptIsComplex(&w[i], 1, SIC_COMPLEX) == S_OK) lacking += w[i];
  if (lacking.empty()) return own;
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  for (const std::wstring& linked : linkedFaces(face)) {
    FontSpec spec = font_;
    spec.name = Narrow(linked);
    HFONT f = FontFor(spec);
    SelectObject(dc, f);
    const std::vector<bool> still = lacks(dc, lacking);
    if (std::find(still.begin(), still.end(), true) == still.end()) return f;
  }
  return own;
}

// Every row starts in the list's font; a row with a cell that needs another
// face sets the font of each of its cells.
LRESULT ListView::customDraw(NMLVCUSTOMDRAW& cd) {
  const DWORD stage = cd.nmcd.dwDrawStage;
  if (stage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  const size_t row = cd.nmcd.dwItemSpec;
  if ((stage & ~CDDS_SUBITEM) != CDDS_ITEMPREPAINT || row >= items_.size()) return CDRF_DODEFAULT;
  const ListItem& item = *items_[row];
  HFONT own = reinterpret_cast<HFONT>(SendMessageW(Control::hwnd(), WM_GETFONT, 0, 0));
  if (!own) own = FontFor(font_);
  if (stage & CDDS_SUBITEM) {
    SelectObject(cd.nmcd.hdc, cellFont(cd.nmcd.hdc, own, item.cell(cd.iSubItem)));
    return CDRF_NEWFONT;
  }
  SelectObject(cd.nmcd.hdc, own);
  for (int c = 0; c < item.cellCount_; ++c)
    if (cellFont(cd.nmcd.hdc, own, item.cell(c)) != own) return CDRF_NEWFONT | CDRF_NOTIFYSUBITEMDRAW;
  return CDRF_NEWFONT;
}

// --- storage --------------------------------------------------------------------------

ListItem* ListView::Store::newItem() {
  const size_t block = items_ / kItemsPerBlock;
  if (block == itemBlocks_.size()) itemBlocks_.emplace_back(new ListItem[kItemsPerBlock]);
  ListItem* item = &itemBlocks_[block][items_++ % kItemsPerBlock];
  *item = ListItem{};
  return item;
}

char* ListView::Store::bytes(size_t n, size_t align) {
  for (;;) {
    if (byteBlock_ < byteBlocks_.size()) {
      Bytes& b = byteBlocks_[byteBlock_];
      size_t at = (byteUsed_ + align - 1) / align * align;
      if (at + n <= b.size) {
        byteUsed_ = at + n;
        return b.data.get() + at;
      }
      if (byteBlock_ + 1 < byteBlocks_.size()) {
        ++byteBlock_;
        byteUsed_ = 0;
        continue;
      }
    }
    // A new block at the end; a text longer than a block gets one its size.
    size_t size = std::max(kBytesPerBlock, n + align);
    byteBlocks_.push_back(Bytes{std::unique_ptr<char[]>(new char[size]), size});
    byteBlock_ = byteBlocks_.size() - 1;
    byteUsed_ = 0;
  }
}

void ListView::Store::clear() {
  items_ = 0;
  byteBlock_ = 0;
  byteUsed_ = 0;
}

void ListView::Store::release() {
  itemBlocks_.clear();
  byteBlocks_.clear();
  items_ = 0;
  byteBlock_ = byteUsed_ = 0;
}

ListItem::Span* ListView::newCells(int count) {
  auto* cells = reinterpret_cast<ListItem::Span*>(
      store_.bytes(sizeof(ListItem::Span) * static_cast<size_t>(count), alignof(ListItem::Span)));
  for (int i = 0; i < count; ++i) new (&cells[i]) ListItem::Span();
  return cells;
}

// --- items ----------------------------------------------------------------------------

ListItem& ListView::Items::Add(const std::string& text, const std::string& key, int index) {
  lv->ensureLoaded();
  ListItem* item = lv->store_.newItem();
  item->owner_ = lv;
  // Room for every column at once: a fill sets them all.
  item->cellCount_ = std::max(1, static_cast<int>(lv->headers_.size()));
  item->cells_ = lv->newCells(item->cellCount_);
  if (!text.empty()) {
    item->cells_[0].data = lv->store_.bytes(text.size());
    item->cells_[0].size = item->cells_[0].capacity = static_cast<std::uint32_t>(text.size());
    std::copy(text.begin(), text.end(), item->cells_[0].data);
  }
  if (!key.empty()) {
    item->key_.data = lv->store_.bytes(key.size());
    item->key_.size = item->key_.capacity = static_cast<std::uint32_t>(key.size());
    std::copy(key.begin(), key.end(), item->key_.data);
  }
  size_t pos = lv->items_.size();
  if (index > 0) {
    if (index > static_cast<int>(pos) + 1) vb::raise(35600, "Index out of bounds");
    pos = static_cast<size_t>(index) - 1;
  } else if (lv->sorted_) {
    // A sorted list keeps its order: find the place by the key column.
    std::wstring wk = Widen(item->cell(lv->sortKey_));
    auto less = [&](const ListItem* a) {
      int c = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Widen(a->cell(lv->sortKey_)).c_str(), -1, wk.c_str(), -1);
      return lv->sortOrder_ == lvwAscending ? c <= CSTR_EQUAL : c >= CSTR_EQUAL;
    };
    pos = static_cast<size_t>(std::partition_point(lv->items_.begin(), lv->items_.end(), less) - lv->items_.begin());
  }
  lv->items_.insert(lv->items_.begin() + static_cast<long>(pos), item);
  if (pos + 1 == lv->items_.size()) item->index_ = static_cast<int>(pos);
  else {
    lv->renumber(pos);
    lv->reapplySelection();
  }
  lv->itemChanged();
  return *item;
}

// The control learns of the new rows with the next sync; a list refilled to
// the same length then needs no new count (which under some systems redraws
// the scroll bars twice).
void ListView::Items::Clear() {
  lv->ensureLoaded();
  lv->items_.clear();
  lv->store_.clear();
  lv->selectedHint_ = -1;
  lv->cleared_ = true;
  lv->itemChanged();
}

int ListView::Items::Count() {
  lv->ensureLoaded();
  return static_cast<int>(lv->items_.size());
}

ListItem& ListView::Items::Item(int index) {
  lv->ensureLoaded();
  if (index < 1 || index > static_cast<int>(lv->items_.size())) vb::raise(35600, "Index out of bounds");
  return *lv->items_[static_cast<size_t>(index) - 1];
}

void ListView::Items::Remove(int index) {
  lv->ensureLoaded();
  if (index < 1 || index > static_cast<int>(lv->items_.size())) vb::raise(35600, "Index out of bounds");
  size_t pos = static_cast<size_t>(index) - 1;
  lv->items_.erase(lv->items_.begin() + static_cast<long>(pos));
  lv->renumber(pos);
  lv->selectedHint_ = -1;
  lv->syncCount();
  lv->reapplySelection();
}

void ListView::renumber(size_t from) {
  for (size_t i = from; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i);
}

// Property changes of items come in bursts (a fill sets thousands of cells);
// the control learns of them once, from a posted message, before it paints.
void ListView::itemChanged() {
  if (syncPending_) return;
  HWND h = Control::hwnd();
  if (!h) return;
  syncPending_ = true;
  PostMessageW(h, kSync, 0, 0);
}

void ListView::syncCount() {
  HWND h = Control::hwnd();
  syncPending_ = false;
  if (!h) return;
  ++quiet_;
  if (cleared_) {
    // The rows the control had selected or focused are gone.
    cleared_ = false;
    const int selected = static_cast<int>(SendMessageW(h, LVM_GETSELECTEDCOUNT, 0, 0));
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (selected > 16) {
      SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    } else {
      for (int i = 0; i < selected; ++i) {
        int at = static_cast<int>(SendMessageW(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
        if (at < 0) break;
        SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&none));
      }
    }
    int focused = static_cast<int>(SendMessageW(h, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    if (focused >= 0) SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&none));
    if (shownCount_ != items_.size()) {
      shownCount_ = items_.size();
      SendMessageW(h, LVM_SETITEMCOUNT, static_cast<WPARAM>(items_.size()), LVSICF_NOSCROLL);
    }
    // A new list starts at its top.
    if (!items_.empty()) SendMessageW(h, LVM_ENSUREVISIBLE, 0, FALSE);
  } else if (shownCount_ != items_.size()) {
    shownCount_ = items_.size();
    SendMessageW(h, LVM_SETITEMCOUNT, static_cast<WPARAM>(items_.size()), LVSICF_NOSCROLL);
  }
  --quiet_;
  InvalidateRect(h, nullptr, FALSE);
}

void ListView::itemSelected(ListItem& item, bool on) {
  HWND h = Control::hwnd();
  if (item.selected_ == on && !h) return;
  if (on && !multi_) {
    // One selected row at a time.
    for (ListItem* it : items_)
      if (it != &item) it->selected_ = false;
  }
  item.selected_ = on;
  if (on) selectedHint_ = item.index_;
  if (!h) return;
  syncCount();
  ++quiet_;
  LVITEMW lvi{};
  lvi.stateMask = LVIS_SELECTED | (on ? LVIS_FOCUSED : 0);
  lvi.state = on ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
  if (on && !multi_) {
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  }
  SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(item.index_), reinterpret_cast<LPARAM>(&lvi));
  --quiet_;
}

void ListView::ensureVisible(ListItem& item) {
  HWND h = Control::hwnd();
  if (!h) return;
  // The control learns of new rows first: it scrolls only to rows it knows,
  // and a refill would scroll it back to the top afterwards.
  syncCount();
  SendMessageW(h, LVM_ENSUREVISIBLE, static_cast<WPARAM>(item.index_), FALSE);
}

// After the rows moved (sort, remove, insert) the control's selection, which
// it keeps by position, is set again from the items.
void ListView::reapplySelection() {
  HWND h = Control::hwnd();
  if (!h) return;
  syncCount();
  ++quiet_;
  LVITEMW none{};
  none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
  selectedHint_ = -1;
  for (ListItem* it : items_)
    if (it->selected_) {
      LVITEMW lvi{};
      lvi.stateMask = LVIS_SELECTED;
      lvi.state = LVIS_SELECTED;
      SendMessageW(h, LVM_SETITEMSTATE, static_cast<WPARAM>(it->index_), reinterpret_cast<LPARAM>(&lvi));
      if (selectedHint_ < 0) selectedHint_ = it->index_;
    }
  --quiet_;
  InvalidateRect(h, nullptr, FALSE);
}

ListItem* ListView::SelectedItem() {
  ensureLoaded();
  if (selectedHint_ >= 0 && selectedHint_ < static_cast<int>(items_.size()) && items_[static_cast<size_t>(selectedHint_)]->selected_)
    return items_[static_cast<size_t>(selectedHint_)];
  for (ListItem* it : items_)
    if (it->selected_) {
      selectedHint_ = it->index_;
      return it;
    }
  return nullptr;
}

// --- sorting ----------------------------------------------------------------------------

int ListView::SortKey() { ensureLoaded(); return sortKey_; }
void ListView::SortKey(int column) {
  ensureLoaded();
  if (column < 0 || (!headers_.empty() && column >= static_cast<int>(headers_.size()))) vb::raise(380, "Invalid property value");
  sortKey_ = column;
  if (sorted_) sortNow();
}
int ListView::SortOrder() { ensureLoaded(); return sortOrder_; }
void ListView::SortOrder(int order) {
  ensureLoaded();
  if (order != lvwAscending && order != lvwDescending) vb::raise(380, "Invalid property value");
  sortOrder_ = order;
  if (sorted_) sortNow();
}
bool ListView::Sorted() { ensureLoaded(); return sorted_; }
void ListView::Sorted(bool on) {
  ensureLoaded();
  sorted_ = on;
  if (on) sortNow();
}

// Text order as the platform compares text: without regard to case, by the
// system's sort keys, equal texts keeping their order.
void ListView::sortNow() {
  std::vector<std::pair<std::string, ListItem*>> keyed;
  keyed.reserve(items_.size());
  for (ListItem* it : items_) {
    std::wstring w = Widen(it->cell(sortKey_));
    int n = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, w.c_str(), -1, nullptr, 0);
    std::string key(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
      LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, w.c_str(), -1,
                   reinterpret_cast<LPWSTR>(&key[0]), n);
    keyed.emplace_back(std::move(key), it);
  }
  bool desc = sortOrder_ == lvwDescending;
  std::stable_sort(keyed.begin(), keyed.end(), [desc](const auto& a, const auto& b) {
    int c = a.first.compare(b.first);
    return desc ? c > 0 : c < 0;
  });
  for (size_t i = 0; i < keyed.size(); ++i) items_[i] = keyed[i].second;
  renumber(0);
  reapplySelection();
}

// --- notifications and input -----------------------------------------------------------

void ListView::toggleCheck(int index) {
  if (index < 0 || index >= static_cast<int>(items_.size())) return;
  ListItem& item = *items_[static_cast<size_t>(index)];
  item.checked_ = !item.checked_;
  SendMessageW(Control::hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(index), static_cast<LPARAM>(index));
  if (ItemCheck) SafeCall([&] { ItemCheck(item); });
}

bool ListView::handleMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case kSync:
      syncCount();
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (checkBoxes_) {
        LVHITTESTINFO hit{};
        hit.pt = {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
        int index = static_cast<int>(SendMessageW(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        // Only the box itself: a click elsewhere on a full-row item reports
        // every part of the item at once (LVHT_ONITEM) and selects the row.
        if (index >= 0 && (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON) {
          ::SetFocus(hwnd);
          toggleCheck(index);
          result = 0;
          return true;
        }
      }
      break;
    case WM_DRAWITEM: {
      const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (dis->CtlType != ODT_HEADER) break;
      drawHeaderItem(*dis);
      result = TRUE;
      return true;
    }
    case WM_KEYDOWN:
      if (wp == VK_SPACE && checkBoxes_) {
        int focused = static_cast<int>(SendMessageW(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
        if (focused >= 0) toggleCheck(focused);
        result = 0;
        return true;
      }
      break;
  }
  return Control::handleMessage(hwnd, msg, wp, lp, result);
}

bool ListView::onNotify(NMHDR* nm, LRESULT& result) {
  switch (nm->code) {
    case LVN_GETDISPINFOW: {
      auto* di = reinterpret_cast<NMLVDISPINFOW*>(nm);
      LVITEMW& it = di->item;
      if (it.iItem < 0 || it.iItem >= static_cast<int>(items_.size())) return false;
      const ListItem& item = *items_[static_cast<size_t>(it.iItem)];
      if ((it.mask & LVIF_TEXT) && it.pszText && it.cchTextMax > 0) {
        // A text longer than the control's buffer shows its start: as many
        // bytes as the buffer holds characters always fit, cut before a
        // character's continuation bytes.
        std::string_view s = item.cell(it.iSubItem);
        if (s.size() > static_cast<size_t>(it.cchTextMax - 1)) {
          size_t cut = static_cast<size_t>(it.cchTextMax - 1);
          while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80) --cut;
          s = s.substr(0, cut);
        }
        int n = s.empty() ? 0
                          : MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), it.pszText, it.cchTextMax - 1);
        it.pszText[n] = L'\0';
      }
      if (it.mask & LVIF_STATE) {
        it.state &= ~LVIS_STATEIMAGEMASK;
        if (checkBoxes_) it.state |= INDEXTOSTATEIMAGEMASK(item.checked_ ? 2 : 1);
        it.stateMask |= LVIS_STATEIMAGEMASK;
      }
      result = 0;
      return true;
    }
    case LVN_ITEMCHANGED: {
      auto* lv = reinterpret_cast<NMLISTVIEW*>(nm);
      if (quiet_ || !(lv->uChanged & LVIF_STATE) || !((lv->uNewState ^ lv->uOldState) & LVIS_SELECTED)) return false;
      bool on = (lv->uNewState & LVIS_SELECTED) != 0;
      if (lv->iItem < 0) {
        for (ListItem* i : items_) i->selected_ = on;
      } else if (lv->iItem < static_cast<int>(items_.size())) {
        items_[static_cast<size_t>(lv->iItem)]->selected_ = on;
        if (on) selectedHint_ = lv->iItem;
      }
      return false;
    }
    case LVN_ODSTATECHANGED: {
      auto* od = reinterpret_cast<NMLVODSTATECHANGE*>(nm);
      if (quiet_ || !((od->uNewState ^ od->uOldState) & LVIS_SELECTED)) return false;
      bool on = (od->uNewState & LVIS_SELECTED) != 0;
      for (int i = std::max(0, od->iFrom); i <= od->iTo && i < static_cast<int>(items_.size()); ++i)
        items_[static_cast<size_t>(i)]->selected_ = on;
      return false;
    }
    case LVN_COLUMNCLICK: {
      int col = reinterpret_cast<NMLISTVIEW*>(nm)->iSubItem;
      if (ColumnClick && col >= 0 && col < static_cast<int>(headers_.size())) ColumnClick(*headers_[static_cast<size_t>(col)]);
      return false;
    }
    case NM_CLICK: {
      int index = reinterpret_cast<NMITEMACTIVATE*>(nm)->iItem;
      if (ItemClick && index >= 0 && index < static_cast<int>(items_.size())) ItemClick(*items_[static_cast<size_t>(index)]);
      if (Click) Click();
      return false;
    }
    case NM_DBLCLK:
      if (DblClick) DblClick();
      return false;
    case NM_CUSTOMDRAW:
      result = customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(nm));
      return true;
  }
  return false;
}

void ListView::resetState() {
  items_.clear();
  store_.release();
  cleared_ = false;
  headers_.clear();
  sortKey_ = 0;
  sortOrder_ = lvwAscending;
  sorted_ = fullRow_ = grid_ = checkBoxes_ = multi_ = false;
  hideSel_ = true;
  headerIcons_ = nullptr;
  syncPending_ = false;
  quiet_ = 0;
  selectedHint_ = -1;
  shownCount_ = 0;
}

}  // namespace ui
