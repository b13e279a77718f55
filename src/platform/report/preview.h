#pragma once
// The preview window both report engines show: one page at a time, first,
// previous, next and last page, "n / m", zoom (whole page, page width,
// 100 %), scrolling by mouse wheel and keys, Print (through the print dialog
// and the printing seam) and Close (also Escape). Pages still being laid out
// arrive while the window is open; the page count follows them.
#include "platform/report/page.h"
#include "platform/ui/combobox.h"
#include "platform/ui/command_button.h"
#include "platform/ui/form.h"
#include "platform/ui/hosted.h"
#include "platform/ui/label.h"

namespace report {

class PreviewWindow;

// The page area: draws the current page at the current zoom and scrolls it.
class PageView : public ui::HostedControl {
public:
  PageView(ui::Form* form, PreviewWindow& owner) : HostedControl(form), owner_(owner) {}
  void Create(ui::Container& parent, int left, int top, int width, int height);
  void refresh();  // scroll ranges and a repaint
  void scrollTo(int x, int y);
  int scrollX() const { return sx_; }
  int scrollY() const { return sy_; }
  // Paints the view into dc as the screen shows it (tests, screenshots).
  void paint(HDC dc, const RECT& client);

private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  LRESULT onMessage(HWND, UINT, WPARAM, LPARAM);
  void onKey(WPARAM key);
  void scrollBy(int dy, bool turnPages);
  // The page's size on screen in pixels, and the view's size.
  double scale(const RECT& client) const;
  SIZE contentSize(const RECT& client) const;
  PreviewWindow& owner_;
  int sx_ = 0, sy_ = 0;
};

enum class Zoom { WholePage = 0, PageWidth = 1, Actual = 2 };

// Result of a print started from a document.
enum class PrintResult { Printed, Cancelled, Failed };
PrintResult printPages(Document& doc, bool askFirst, HWND owner);

class PreviewWindow : public ui::Form {
public:
  PreviewWindow(Document& doc, bool printDialog);
  ~PreviewWindow() override;

  // Shows the document modal, owned by owner (none: the active window), and
  // returns when the user closes it.
  static void showModal(Document& doc, bool printDialog, ui::Form* owner = nullptr);

  ui::CommandButton BFirst{this}, BPrev{this}, BNext{this}, BLast{this}, BCetak{this}, BTutup{this};
  ui::Label LHalaman{this};
  ui::ComboBox CZoom{this};
  PageView View{this, *this};

  Document& document() { return doc_; }
  int page() const { return page_; }  // 0-based
  void goTo(int page);
  Zoom zoom() const { return zoom_; }
  void setZoom(Zoom z);
  void print();

  void Form_Load() override;
  void Form_Resize() override;

protected:
  void Design() override;
  LRESULT onMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;

private:
  void updateControls();
  void layoutStep();
  Document& doc_;
  bool printDialog_;
  int page_ = 0;
  Zoom zoom_ = Zoom::WholePage;
  bool timer_ = false;
};

}  // namespace report
