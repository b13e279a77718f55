#pragma once
// The banded layout engine: sections (report header, page header, group
// header, detail, group footer, page footer, report footer) holding labels,
// fields, pictures, lines and boxes at positions in twips; the program fills
// them from its events while the engine lays the pages out. It shares the
// page model, the page drawing and the preview window with the template
// engine.
//
// A layout is a class derived from BandedLayout. Its constructor declares the
// sections' heights and controls and hooks its events:
//
//   class lap_Contoh : public report::BandedLayout {
//   public:
//     report::Label& Label14 = ReportHeader.addLabel("Label14", 1795, 200, 7937, 378);
//     report::Field& Field2 = Detail.addField("Field2", 661, 0, 1400, 283);
//     lap_Contoh() {
//       Caption = "Laporan";                       // the preview's title
//       ReportHeader.Height = 1700;
//       Detail.Height = 285;
//       ReportHeader.Format = [this] { Label14.Caption = "..."; };
//       Detail.BeforePrint = [this] { Field2.Height = Detail.Height; };
//       FetchData = [this](bool& eof) { ... eof = true at the end ... };
//     }
//   };
//
// Rows are pulled: before each detail line the engine calls FetchData; the
// handler fills the detail's controls (from daftarMhs, the row dictionary
// keyed "1", "2", ...) and sets eof to true when no row is left, which ends
// the details. Every section runs Format, then BeforePrint, then is placed;
// a section that does not fit the rest of the page starts a new page (a
// detail line is never split). Controls are found by name with control().
//
// Show(owner) lays out the pages and shows them in the modal preview owned
// by that window, with its Print button; PrintReport prints without a
// preview. Both go through the printing seam of platform/ui.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/image/picture.h"
#include "platform/report/page.h"
#include "platform/vb/dictionary.h"

namespace ui {
class Form;
}

namespace report {

// What every control has: a name, a place in its section (twips), and a look.
class ReportControl {
public:
  enum class Kind { Label, Field, Picture, Line, Box };
  ReportControl(Kind kind, std::string name) : kind_(kind), Name(std::move(name)) {}
  virtual ~ReportControl() = default;
  Kind kind() const { return kind_; }

private:
  Kind kind_;

public:
  std::string Name;
  int Left = 0, Top = 0, Width = 0, Height = 0;  // twips, from the section's top-left
  bool Visible = true;
  FontSpec Font;
  Align Alignment = Align::Left;
  VAlign VerticalAlignment = VAlign::Top;
  bool WordWrap = true;   // text: broken into lines inside the box
  // Text: the control grows to show every line; what lies below it in its
  // section moves down and the section grows, up to the room of a page.
  bool CanGrow = false;
  // Text: points; a text too long for its box shrinks its font down to this
  // size (0: the font keeps its size). What still does not fit ends in "...".
  double ShrinkTo = 0;
  COLORREF ForeColor = RGB(0, 0, 0);
  COLORREF BackColor = CLR_INVALID;  // none: transparent
  int LineWeight = 15;                // twips, lines and box borders (0: no border)
};

class Label : public ReportControl {
public:
  explicit Label(std::string name) : ReportControl(Kind::Label, std::move(name)) {}
  std::string Caption;
};

class Field : public ReportControl {
public:
  explicit Field(std::string name) : ReportControl(Kind::Field, std::move(name)) {}
  std::string Text;
};

class PictureBox : public ReportControl {
public:
  explicit PictureBox(std::string name) : ReportControl(Kind::Picture, std::move(name)) {}
  img::Picture Picture;  // empty: nothing drawn
  bool Stretch = false;  // false: whole picture, in proportion, centred
};

// A line from (Left, Top) to (X2, Y2), twips.
class LineControl : public ReportControl {
public:
  explicit LineControl(std::string name) : ReportControl(Kind::Line, std::move(name)) {}
  int X2 = 0, Y2 = 0;
};

class BoxControl : public ReportControl {
public:
  explicit BoxControl(std::string name) : ReportControl(Kind::Box, std::move(name)) {}
};

class Section {
public:
  explicit Section(std::string name) : Name(std::move(name)) {}
  Section(const Section&) = delete;
  Section& operator=(const Section&) = delete;

  std::string Name;
  int Height = 0;  // twips
  bool Visible = true;
  COLORREF BackColor = CLR_INVALID;
  // Group header only: printed again at the top of every following page.
  bool RepeatOnEveryPage = false;

  // Events, in the order the engine raises them for each printing of the section.
  std::function<void()> Format, BeforePrint;

  Label& addLabel(const std::string& name, int left, int top, int width, int height, const std::string& caption = "");
  Field& addField(const std::string& name, int left, int top, int width, int height, const std::string& text = "");
  PictureBox& addPicture(const std::string& name, int left, int top, int width, int height);
  LineControl& addLine(const std::string& name, int x1, int y1, int x2, int y2, int weight = 15);
  BoxControl& addBox(const std::string& name, int left, int top, int width, int height, int weight = 15);
  // nullptr when the section has no control of that name (names compare in any letter case).
  ReportControl* control(const std::string& name);
  const std::vector<std::unique_ptr<ReportControl>>& controls() const { return controls_; }

private:
  template <class T>
  T& add(std::unique_ptr<T> c, int left, int top, int width, int height);
  std::vector<std::unique_ptr<ReportControl>> controls_;
};

class BandedLayout {
public:
  BandedLayout();
  virtual ~BandedLayout();
  BandedLayout(const BandedLayout&) = delete;
  BandedLayout& operator=(const BandedLayout&) = delete;

  std::string Caption;  // the preview window's title
  // Paper and margins, twips (A4 upright with 1 cm margins by default).
  int PaperWidth = 11906, PaperHeight = 16838;
  int LeftMargin = 567, RightMargin = 567, TopMargin = 567, BottomMargin = 567;

  Section ReportHeader{"ReportHeader"}, PageHeader{"PageHeader"}, GroupHeader{"GroupHeader"}, Detail{"Detail"},
      GroupFooter{"GroupFooter"}, PageFooter{"PageFooter"}, ReportFooter{"ReportFooter"};

  // The row pull: called before each detail line; set eof to true when no
  // row is left. Without a handler the report has no detail lines.
  std::function<void(bool& eof)> FetchData;
  // The rows the host hands over: row records keyed "1", "2", ... in order.
  std::shared_ptr<vb::Dictionary> daftarMhs = std::make_shared<vb::Dictionary>();

  // A control of any section by name; nullptr when there is none.
  ReportControl* control(const std::string& name);
  // While pages are laid out: the number of the page being filled, and a
  // text that prints as the number of pages.
  int PageNumber() const { return pageNumber_; }
  static std::string PageCount() { return std::string(1, kPagesMarker); }

  // Raises the events and lays out every page (again, on a second call).
  Document& Run();
  Document& document() { return *doc_; }
  // Run, then the modal preview owned by owner (none: the active window).
  void Show(ui::Form* owner = nullptr);
  // Run, then print without a preview; askFirst shows the print dialog.
  // False when cancelled or nothing was printed.
  bool PrintReport(bool askFirst = true);

private:
  int place(Section& s, Page& page, int y);
  std::unique_ptr<Document> doc_;
  int room_ = 0;  // the most a section may grow to: the room of a page
  std::vector<FlowBox> flow_;
  std::vector<TextFit> fits_;
  std::vector<GrowingText> growing_;
  int pageNumber_ = 0;
};

}  // namespace report
