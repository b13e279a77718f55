#include "platform/report/preview.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/app.h"
#include "platform/ui/seams.h"
#include "platform/vb/error.h"

namespace report {

namespace {
constexpr UINT_PTR kLayoutTimer = 0x5250;
constexpr int kGap = 16;        // grey around the page, pixels
constexpr int kLineStep = 48;   // one wheel notch or arrow key
constexpr COLORREF kDesk = RGB(0x8A, 0x8F, 0x96);
const wchar_t* const kViewClass = L"VtReportPageView";

int toolbarHeight() { return 40; }
}  // namespace

// --- printing ---------------------------------------------------------------------------

PrintResult printPages(Document& doc, bool askFirst, HWND owner) {
  doc.layoutAll();
  if (doc.pages.empty()) return PrintResult::Failed;
  ui::PrintRequest req;
  req.documentName = doc.title.empty() ? std::string("Laporan") : doc.title;
  req.pageCount = static_cast<int>(doc.pages.size());
  const Page& first = doc.pages.front();
  req.landscape = first.width > first.height;
  req.paperWidth = std::min(first.width, first.height) / 10;
  req.paperHeight = std::max(first.width, first.height) / 10;
  auto& s = ui::seams();
  if (askFirst) {
    ui::PrintDialogRequest ask;
    ask.owner = owner;
    ask.pageCount = req.pageCount;
    if (!(s.printDialog ? s.printDialog(ask) : ui::RealPrintDialog(ask))) return PrintResult::Cancelled;
    req.printerName = ask.printerName;
    req.copies = ask.copies;
    req.fromPage = ask.fromPage;
    req.toPage = ask.toPage;
  }
  const Document* d = &doc;
  req.renderPage = [d](HDC dc, int n) {
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    // The page's corner is the paper's, not the printable area's.
    const double offX = GetDeviceCaps(dc, PHYSICALOFFSETX), offY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    drawPage(dc, *d, d->pages[static_cast<size_t>(n - 1)], Viewport::forDpi(dpiX, dpiY, 1.0, -offX, -offY));
  };
  return (s.print ? s.print(req) : ui::RealPrint(req)) ? PrintResult::Printed : PrintResult::Failed;
}

// --- page view ----------------------------------------------------------------------------

void PageView::Create(ui::Container& parent, int left, int top, int width, int height) {
  static bool registered = [] {
    WNDCLASSEXW wc{sizeof(wc)};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kViewClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  CreateHosted(parent, left, top, width, height, [this](HWND p, const RECT& r) {
    return CreateWindowExW(0, kViewClass, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL,
                           r.left, r.top, r.right - r.left, r.bottom - r.top, p, nullptr, GetModuleHandleW(nullptr),
                           this);
  });
}

LRESULT CALLBACK PageView::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  auto* self = reinterpret_cast<PageView*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  if (!self || msg == WM_NCDESTROY) return DefWindowProcW(hwnd, msg, wp, lp);
  LRESULT r = 0;
  try {
    r = self->onMessage(hwnd, msg, wp, lp);
  } catch (...) {
    r = 0;
  }
  return r;
}

double PageView::scale(const RECT& c) const {
  Document& doc = owner_.document();
  const int w = std::max<LONG>(1, c.right - 2 * kGap), h = std::max<LONG>(1, c.bottom - 2 * kGap);
  int pw = 21000, ph = 29700;
  if (owner_.page() < static_cast<int>(doc.pages.size())) {
    pw = doc.pages[static_cast<size_t>(owner_.page())].width;
    ph = doc.pages[static_cast<size_t>(owner_.page())].height;
  }
  switch (owner_.zoom()) {
    case Zoom::WholePage: return std::min(static_cast<double>(w) / pw, static_cast<double>(h) / ph);
    case Zoom::PageWidth: return static_cast<double>(w) / pw;
    case Zoom::Actual: break;
  }
  return ui::DpiX() / 2540.0;
}

SIZE PageView::contentSize(const RECT& c) const {
  Document& doc = owner_.document();
  const double s = scale(c);
  int pw = 21000, ph = 29700;
  if (owner_.page() < static_cast<int>(doc.pages.size())) {
    pw = doc.pages[static_cast<size_t>(owner_.page())].width;
    ph = doc.pages[static_cast<size_t>(owner_.page())].height;
  }
  return SIZE{static_cast<LONG>(std::lround(pw * s)) + 2 * kGap, static_cast<LONG>(std::lround(ph * s)) + 2 * kGap};
}

void PageView::refresh() {
  HWND h = hwnd();
  if (!h) return;
  // The scroll bars take room from the view: settle their shown state twice.
  for (int pass = 0; pass < 2; ++pass) {
    RECT c;
    GetClientRect(h, &c);
    SIZE content = contentSize(c);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS};
    si.nMin = 0;
    si.nMax = content.cy - 1;
    si.nPage = static_cast<UINT>(c.bottom);
    sy_ = std::max(0, std::min(sy_, static_cast<int>(content.cy - c.bottom)));
    si.nPos = sy_;
    SetScrollInfo(h, SB_VERT, &si, TRUE);
    si.nMax = content.cx - 1;
    si.nPage = static_cast<UINT>(c.right);
    sx_ = std::max(0, std::min(sx_, static_cast<int>(content.cx - c.right)));
    si.nPos = sx_;
    SetScrollInfo(h, SB_HORZ, &si, TRUE);
  }
  InvalidateRect(h, nullptr, FALSE);
}

void PageView::scrollTo(int x, int y) {
  sx_ = x;
  sy_ = y;
  refresh();
}

void PageView::scrollBy(int dy, bool turnPages) {
  RECT c;
  GetClientRect(hwnd(), &c);
  const int maxY = std::max(0, static_cast<int>(contentSize(c).cy - c.bottom));
  if (turnPages && dy > 0 && sy_ >= maxY && owner_.page() + 1 < static_cast<int>(owner_.document().pages.size())) {
    owner_.goTo(owner_.page() + 1);
    scrollTo(sx_, 0);
    return;
  }
  if (turnPages && dy < 0 && sy_ <= 0 && owner_.page() > 0) {
    owner_.goTo(owner_.page() - 1);
    scrollTo(sx_, 1 << 29);
    return;
  }
  scrollTo(sx_, std::max(0, std::min(maxY, sy_ + dy)));
}

void PageView::onKey(WPARAM key) {
  RECT c;
  GetClientRect(hwnd(), &c);
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const int last = static_cast<int>(owner_.document().pages.size()) - 1;
  switch (key) {
    case VK_DOWN: scrollBy(kLineStep, false); break;
    case VK_UP: scrollBy(-kLineStep, false); break;
    case VK_NEXT: scrollBy(std::max(kLineStep, static_cast<int>(c.bottom) - kLineStep), true); break;
    case VK_PRIOR: scrollBy(-std::max(kLineStep, static_cast<int>(c.bottom) - kLineStep), true); break;
    case VK_LEFT:
    case VK_RIGHT: {
      const int maxX = std::max(0, static_cast<int>(contentSize(c).cx - c.right));
      if (maxX > 0) scrollTo(std::max(0, std::min(maxX, sx_ + (key == VK_RIGHT ? kLineStep : -kLineStep))), sy_);
      else owner_.goTo(owner_.page() + (key == VK_RIGHT ? 1 : -1));
      break;
    }
    case VK_HOME:
      if (ctrl) owner_.goTo(0);
      scrollTo(sx_, 0);
      break;
    case VK_END:
      if (ctrl) owner_.goTo(last);
      scrollTo(sx_, 1 << 29);
      break;
  }
}

void PageView::paint(HDC dc, const RECT& c) {
  ui::OwnedBrush desk(CreateSolidBrush(kDesk));
  FillRect(dc, &c, desk);
  Document& doc = owner_.document();
  if (owner_.page() >= static_cast<int>(doc.pages.size())) return;
  const Page& page = doc.pages[static_cast<size_t>(owner_.page())];
  const double s = scale(c);
  const SIZE content = contentSize(c);
  const int pw = static_cast<int>(content.cx) - 2 * kGap, ph = static_cast<int>(content.cy) - 2 * kGap;
  // Centred when the view is wider than the page.
  const int x = (content.cx < c.right ? static_cast<int>(c.right - content.cx) / 2 : -sx_) + kGap;
  const int y = (content.cy < c.bottom ? static_cast<int>(c.bottom - content.cy) / 2 : -sy_) + kGap;
  RECT shadow{x + 4, y + 4, x + pw + 4, y + ph + 4};
  ui::OwnedBrush dark(CreateSolidBrush(RGB(0x55, 0x58, 0x5E)));
  FillRect(dc, &shadow, dark);
  RECT paper{x, y, x + pw, y + ph};
  FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HRGN clip = CreateRectRgnIndirect(&paper);
  SelectClipRgn(dc, clip);
  Viewport vp;
  vp.x = x, vp.y = y, vp.scaleX = s, vp.scaleY = s;
  drawPage(dc, doc, page, vp);
  SelectClipRgn(dc, nullptr);
  DeleteObject(clip);
}

LRESULT PageView::onMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      ui::ScopedPaint ps(hwnd);
      RECT c;
      GetClientRect(hwnd, &c);
      // Drawn off screen first, so that paging and scrolling do not flicker.
      ui::OwnedMemDC mem(ps);
      ui::OwnedBitmap bmp(CreateCompatibleBitmap(ps, std::max<LONG>(1, c.right), std::max<LONG>(1, c.bottom)));
      {
        ui::ScopedSelect sel(mem, bmp);
        paint(mem, c);
        BitBlt(ps, 0, 0, c.right, c.bottom, mem, 0, 0, SRCCOPY);
      }
      return 0;
    }
    case WM_SIZE: refresh(); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: ::SetFocus(hwnd); return 0;
    case WM_MOUSEWHEEL: {
      const int notches = GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA;
      scrollBy(-notches * kLineStep * 2, true);
      return 0;
    }
    case WM_KEYDOWN: onKey(wp); return 0;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      const int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
      SCROLLINFO si{sizeof(si), SIF_ALL};
      GetScrollInfo(hwnd, bar, &si);
      int pos = si.nPos;
      switch (LOWORD(wp)) {
        case SB_LINEUP: pos -= kLineStep; break;
        case SB_LINEDOWN: pos += kLineStep; break;
        case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
        case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = si.nTrackPos; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = si.nMax; break;
        default: return 0;
      }
      pos = std::max(0, std::min(pos, si.nMax - static_cast<int>(si.nPage) + 1));
      if (bar == SB_VERT) scrollTo(sx_, pos);
      else scrollTo(pos, sy_);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// --- the window ---------------------------------------------------------------------------

PreviewWindow::PreviewWindow(Document& doc, bool printDialog) : doc_(doc), printDialog_(printDialog) {
  BFirst.Click = [this] { goTo(0); };
  BPrev.Click = [this] { goTo(page_ - 1); };
  BNext.Click = [this] { goTo(page_ + 1); };
  BLast.Click = [this] {
    if (!doc_.complete()) {
      HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      try {
        doc_.layoutAll();
      } catch (const vb::Error& e) {
        ui::MsgBox(e.description(), ui::vbOKOnly);
      }
      SetCursor(old);
      layoutStep();
    }
    goTo(static_cast<int>(doc_.pages.size()) - 1);
  };
  BCetak.Click = [this] { print(); };
  BTutup.Click = [this] { Unload(); };
  CZoom.Click = [this] {
    const int i = CZoom.ListIndex();
    if (i >= 0) setZoom(static_cast<Zoom>(i));
  };
}

PreviewWindow::~PreviewWindow() {
  if (HWND h = hwndIfLoaded()) KillTimer(h, kLayoutTimer);
}

void PreviewWindow::showModal(Document& doc, bool printDialog, ui::Form* owner) {
  // The first page before the window: it opens showing it.
  while (doc.pages.empty() && !doc.complete()) doc.layoutMore(0);
  PreviewWindow w(doc, printDialog);
  w.ShowModal(owner);
  if (w.Loaded()) w.Unload();
}

void PreviewWindow::Design() {
  Caption(doc_.title.empty() ? std::string("Preview") : doc_.title);
  font_.name = "Tahoma";
  font_.size = 9;
  auto tx = [](int px) { return ui::PixelsToTwipsX(px); };
  auto ty = [](int px) { return ui::PixelsToTwipsY(px); };
  const int top = 7, h = 26;
  int x = 8;
  auto button = [&](ui::CommandButton& b, const char* caption, int w) {
    b.Create(*this, tx(x), ty(top), tx(w), ty(h), caption);
    x += w + 4;
  };
  button(BFirst, "\xC2\xAB", 30);  // « ‹ › »
  button(BPrev, "\xE2\x80\xB9", 30);
  LHalaman.Create(*this, tx(x + 2), ty(top + 5), tx(120), ty(18), "");
  LHalaman.Alignment(ui::vbCenter);
  x += 126;
  button(BNext, "\xE2\x80\xBA", 30);
  button(BLast, "\xC2\xBB", 30);
  x += 12;
  CZoom.Create(*this, tx(x), ty(top + 1), tx(150), ui::vbComboDropdownList);
  CZoom.AddItem("Seluruh halaman");
  CZoom.AddItem("Lebar halaman");
  CZoom.AddItem("100 %");
  x += 162;
  button(BCetak, "&Cetak", 80);
  button(BTutup, "&Tutup", 80);
  BTutup.Cancel(true);
  View.Create(*this, 0, ty(toolbarHeight()), tx(400), ty(300));

  // A reasonable size: most of the screen's height, the page whole in it.
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int workW = work.right - work.left, workH = work.bottom - work.top;
  int wh = std::max(480, workH * 9 / 10);
  double ratio = 210.0 / 297.0;
  if (!doc_.pages.empty()) ratio = static_cast<double>(doc_.pages[0].width) / doc_.pages[0].height;
  const int viewH = wh - toolbarHeight() - 40;
  int ww = static_cast<int>((viewH - 2 * kGap) * ratio) + 2 * kGap + 40;
  ww = std::max(ww, x + 40);
  ww = std::min(ww, workW * 95 / 100);
  wh = std::min(wh, workH);
  Move(tx(work.left + (workW - ww) / 2), ty(work.top + (workH - wh) / 2), tx(ww), ty(wh));
  StartUpPosition(ui::vbStartUpManual);
}

void PreviewWindow::Form_Load() {
  CZoom.ListIndex(static_cast<int>(zoom_));
  updateControls();
  // Keys and the wheel go to the page from the start.
  View.SetFocus();
  if (!doc_.complete()) {
    SetTimer(hwnd(), kLayoutTimer, 1, nullptr);
    timer_ = true;
  }
}

void PreviewWindow::Form_Resize() {
  const int w = ScaleWidth(), h = ScaleHeight() - ui::PixelsToTwipsY(toolbarHeight());
  if (w > 0 && h > 0) View.Move(0, ui::PixelsToTwipsY(toolbarHeight()), w, h);
  View.refresh();
}

LRESULT PreviewWindow::onMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER && wp == kLayoutTimer) {
    layoutStep();
    return 0;
  }
  if (msg == WM_MOUSEWHEEL && View.hwnd()) return SendMessageW(View.hwnd(), msg, wp, lp);
  return Form::onMessage(hwnd, msg, wp, lp);
}

void PreviewWindow::layoutStep() {
  const size_t before = doc_.pages.size();
  try {
    // Short steps: the window answers the user between them.
    doc_.layoutMore(30);
  } catch (const vb::Error& e) {
    KillTimer(hwnd(), kLayoutTimer);
    timer_ = false;
    ui::MsgBox(e.description(), ui::vbOKOnly);
  }
  if (doc_.complete() && timer_) {
    KillTimer(hwnd(), kLayoutTimer);
    timer_ = false;
  }
  if (doc_.pages.size() != before || doc_.complete()) {
    updateControls();
    // The page count printed on the page changes with the last page.
    if (doc_.complete()) View.refresh();
  }
}

void PreviewWindow::goTo(int page) {
  const int n = static_cast<int>(doc_.pages.size());
  page = std::max(0, std::min(page, n - 1));
  if (page == page_) return;
  page_ = page;
  View.scrollTo(View.scrollX(), 0);
  updateControls();
}

void PreviewWindow::setZoom(Zoom z) {
  zoom_ = z;
  if (CZoom.ListIndex() != static_cast<int>(z)) CZoom.ListIndex(static_cast<int>(z));
  View.scrollTo(0, 0);
}

void PreviewWindow::updateControls() {
  const int n = static_cast<int>(doc_.pages.size());
  std::string label = std::to_string(n ? page_ + 1 : 0) + " / " + std::to_string(n);
  if (!doc_.complete()) label += " \xE2\x80\xA6";
  LHalaman.Caption(label);
  BFirst.Enabled(page_ > 0);
  BPrev.Enabled(page_ > 0);
  BNext.Enabled(page_ + 1 < n);
  BLast.Enabled(page_ + 1 < n || !doc_.complete());
}

void PreviewWindow::print() {
  HCURSOR old = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  PrintResult r = PrintResult::Failed;
  try {
    r = printPages(doc_, printDialog_, hwnd());
  } catch (const vb::Error& e) {
    SetCursor(old);
    updateControls();
    ui::MsgBox(e.description(), ui::vbOKOnly);
    return;
  }
  SetCursor(old);
  updateControls();
  if (r == PrintResult::Failed) ui::MsgBox("Laporan tidak dapat dicetak.", ui::vbExclamation);
}

}  // namespace report
