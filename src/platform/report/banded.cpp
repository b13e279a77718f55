#include "platform/report/banded.h"

#include <algorithm>

#include "platform/report/preview.h"
#include "platform/ui/form.h"
#include "platform/vb/error.h"
#include "platform/vb/text.h"

namespace report {

// --- sections ------------------------------------------------------------------------

template <class T>
T& Section::add(std::unique_ptr<T> c, int left, int top, int width, int height) {
  c->Left = left, c->Top = top, c->Width = width, c->Height = height;
  T& ref = *c;
  controls_.push_back(std::move(c));
  return ref;
}

Label& Section::addLabel(const std::string& name, int left, int top, int width, int height, const std::string& caption) {
  Label& l = add(std::make_unique<Label>(name), left, top, width, height);
  l.Caption = caption;
  return l;
}

Field& Section::addField(const std::string& name, int left, int top, int width, int height, const std::string& text) {
  Field& f = add(std::make_unique<Field>(name), left, top, width, height);
  f.Text = text;
  return f;
}

PictureBox& Section::addPicture(const std::string& name, int left, int top, int width, int height) {
  return add(std::make_unique<PictureBox>(name), left, top, width, height);
}

LineControl& Section::addLine(const std::string& name, int x1, int y1, int x2, int y2, int weight) {
  LineControl& l = add(std::make_unique<LineControl>(name), x1, y1, 0, 0);
  l.X2 = x2, l.Y2 = y2, l.LineWeight = weight;
  return l;
}

BoxControl& Section::addBox(const std::string& name, int left, int top, int width, int height, int weight) {
  BoxControl& b = add(std::make_unique<BoxControl>(name), left, top, width, height);
  b.LineWeight = weight;
  return b;
}

ReportControl* Section::control(const std::string& name) {
  for (auto& c : controls_)
    if (vb::LCase(c->Name) == vb::LCase(name)) return c.get();
  return nullptr;
}

// --- the layout ------------------------------------------------------------------------

BandedLayout::BandedLayout() : doc_(std::make_unique<Document>()) {}
BandedLayout::~BandedLayout() = default;

ReportControl* BandedLayout::control(const std::string& name) {
  for (Section* s : {&ReportHeader, &PageHeader, &GroupHeader, &Detail, &GroupFooter, &PageFooter, &ReportFooter})
    if (ReportControl* c = s->control(name)) return c;
  return nullptr;
}

namespace {

const std::string& textOf(const ReportControl& c) {
  return c.kind() == ReportControl::Kind::Label ? static_cast<const Label&>(c).Caption
                                                 : static_cast<const Field&>(c).Text;
}

bool isText(const ReportControl& c) {
  return c.kind() == ReportControl::Kind::Label || c.kind() == ReportControl::Kind::Field;
}

}  // namespace

// Lays a section's controls out at y (units) of a page; returns its height.
// Controls that may grow move what lies below them, and the section grows
// with them up to the room of a page; past it the one that grew most gives
// room back (shrinking or cut).
int BandedLayout::place(Section& s, Page& page, int y) {
  const int x0 = twipsToUnits(LeftMargin);
  const int sectionH = twipsToUnits(s.Height);
  const auto& controls = s.controls();
  const size_t n = controls.size();
  flow_.assign(n, FlowBox());
  if (fits_.size() < n) fits_.resize(n);
  auto styleOf = [this](const ReportControl& c) {
    return TextStyle{doc_->fontIndex(c.Font), c.Alignment, c.VerticalAlignment, c.WordWrap, c.CanGrow, c.ShrinkTo,
                     c.ForeColor,             c.BackColor};
  };
  growing_.clear();
  for (size_t i = 0; i < n; ++i) {
    const ReportControl& c = *controls[i];
    const int left = twipsToUnits(c.Left), top = twipsToUnits(c.Top);
    int right = left + twipsToUnits(c.Width), bottom = top + twipsToUnits(c.Height);
    if (c.kind() == ReportControl::Kind::Line) {
      const auto& l = static_cast<const LineControl&>(c);
      right = twipsToUnits(l.X2), bottom = twipsToUnits(l.Y2);
    }
    flow_[i] = FlowBox::between(left, top, right, bottom, isText(c), c.kind() != ReportControl::Kind::Picture);
    if (!c.Visible) flow_[i].top = flow_[i].bottom = -kNoLimit;  // takes no part
    if (c.Visible && isText(c) && c.CanGrow)
      growing_.push_back({i, twipsToUnits(c.Width), twipsToUnits(c.Height), &textOf(c), styleOf(c)});
  }
  const int height = growBand(*doc_, flow_, fits_, growing_, sectionH, std::max(sectionH, room_));
  if (s.BackColor != CLR_INVALID)
    page.addBox(x0, y, twipsToUnits(PaperWidth - LeftMargin - RightMargin), height, 0, 0, s.BackColor);
  for (size_t i = 0; i < n; ++i) {
    const ReportControl& c = *controls[i];
    if (!c.Visible) continue;
    const int dy = flow_[i].dy, dh = flow_[i].dh;
    const int x = x0 + twipsToUnits(c.Left), top = y + twipsToUnits(c.Top) + dy;
    const int w = twipsToUnits(c.Width), h = twipsToUnits(c.Height) + dh;
    switch (c.kind()) {
      case ReportControl::Kind::Label:
      case ReportControl::Kind::Field:
        if (c.CanGrow) placeFitted(*doc_, page, x, top, w, h, fits_[i], styleOf(c));
        else placeText(*doc_, page, x, top, w, h, textOf(c), styleOf(c));
        break;
      case ReportControl::Kind::Picture: {
        const auto& p = static_cast<const PictureBox&>(c);
        if (p.Picture.empty() || p.Picture.width() <= 0 || p.Picture.height() <= 0) break;
        doc_->pictures.push_back(p.Picture);
        const uint32_t at = static_cast<uint32_t>(doc_->pictures.size() - 1);
        const int ph0 = twipsToUnits(c.Height);
        if (p.Stretch) {
          page.addPicture(x, top, w, ph0, at);
        } else {
          const double k = std::min(static_cast<double>(w) / p.Picture.width(), static_cast<double>(ph0) / p.Picture.height());
          const int pw = static_cast<int>(p.Picture.width() * k), ph = static_cast<int>(p.Picture.height() * k);
          page.addPicture(x + (w - pw) / 2, top + (ph0 - ph) / 2, pw, ph, at);
        }
        break;
      }
      case ReportControl::Kind::Line: {
        const auto& l = static_cast<const LineControl&>(c);
        // A rule that runs down stretches at its lower end.
        int y1 = y + twipsToUnits(c.Top) + dy, y2 = y + twipsToUnits(l.Y2) + dy;
        if (y2 > y1) y2 += dh;
        else if (y1 > y2) y1 += dh;
        page.addLine(x, y1, x0 + twipsToUnits(l.X2), y2, twipsToUnits(l.LineWeight), l.ForeColor);
        break;
      }
      case ReportControl::Kind::Box:
        page.addBox(x, top, w, h, twipsToUnits(c.LineWeight), c.ForeColor, c.BackColor);
        break;
    }
  }
  return height;
}

Document& BandedLayout::Run() {
  doc_ = std::make_unique<Document>();
  doc_->title = Caption;
  Document& doc = *doc_;
  const int pageW = twipsToUnits(PaperWidth), pageH = twipsToUnits(PaperHeight);
  const int top = twipsToUnits(TopMargin), footerH = PageFooter.Visible ? twipsToUnits(PageFooter.Height) : 0;
  const int bottom = pageH - twipsToUnits(BottomMargin) - footerH;
  if (bottom <= top) vb::raise(5, "The margins leave no room on the page", "report");
  room_ = bottom - top - (PageHeader.Visible ? twipsToUnits(PageHeader.Height) : 0);
  Page page;
  int y = 0;
  bool content = false;  // anything but the page header on the page
  bool groupOpen = false;

  // A section is laid out once into a scratch page; it moves to the page
  // where it fits.
  Page scratch;
  auto layOut = [&](Section& s) {
    if (s.Format) s.Format();
    if (s.BeforePrint) s.BeforePrint();
    scratch = Page();
    return place(s, scratch, 0);
  };
  auto put = [&](const Page& from, int h) {
    const uint32_t base = static_cast<uint32_t>(page.text.size());
    page.text += from.text;
    for (Item it : from.items) {
      it.y += y;
      if (it.kind == Item::Text) it.at += base;
      page.items.push_back(it);
    }
    y += h;
  };
  std::function<void()> newPage;
  auto closePage = [&] {
    if (PageFooter.Visible) {
      const int h = layOut(PageFooter);
      y = pageH - twipsToUnits(BottomMargin) - footerH;
      put(scratch, h);
    }
    doc.pages.push_back(std::move(page));
  };
  newPage = [&] {
    page = Page();
    page.width = pageW;
    page.height = pageH;
    pageNumber_ = static_cast<int>(doc.pages.size()) + 1;
    y = top;
    content = false;
    if (PageHeader.Visible) put(scratch, layOut(PageHeader));
    if (groupOpen && GroupHeader.RepeatOnEveryPage && GroupHeader.Visible) put(scratch, layOut(GroupHeader));
  };
  // Places a section that must stay whole: a new page first when it does not fit.
  auto section = [&](Section& s) {
    if (!s.Visible) return;
    const int h = layOut(s);
    if (content && y + h > bottom) {
      Page keep = scratch;
      closePage();
      newPage();
      scratch = std::move(keep);
    }
    put(scratch, h);
    content = true;
  };

  newPage();
  section(ReportHeader);
  section(GroupHeader);
  groupOpen = true;
  for (;;) {
    bool eof = true;
    if (FetchData) FetchData(eof);
    if (eof) break;
    section(Detail);
  }
  groupOpen = false;
  section(GroupFooter);
  section(ReportFooter);
  closePage();
  pageNumber_ = 0;
  return doc;
}

void BandedLayout::Show(ui::Form* owner) {
  Run();
  PreviewWindow::showModal(*doc_, true, owner);
}

bool BandedLayout::PrintReport(bool askFirst) {
  Run();
  return printPages(*doc_, askFirst, GetActiveWindow()) == PrintResult::Printed;
}

}  // namespace report
