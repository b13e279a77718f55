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

// Lays a section's controls out at y (units) of a page; returns its height,
// grown by controls that may grow.
int BandedLayout::place(Section& s, Page& page, int y) {
  const int x0 = twipsToUnits(LeftMargin);
  int height = twipsToUnits(s.Height);
  if (s.BackColor != CLR_INVALID)
    page.addBox(x0, y, twipsToUnits(PaperWidth - LeftMargin - RightMargin), height, 0, 0, s.BackColor);
  for (const auto& cp : s.controls()) {
    const ReportControl& c = *cp;
    if (!c.Visible) continue;
    const int x = x0 + twipsToUnits(c.Left), top = y + twipsToUnits(c.Top);
    const int w = twipsToUnits(c.Width), h = twipsToUnits(c.Height);
    switch (c.kind()) {
      case ReportControl::Kind::Label:
      case ReportControl::Kind::Field: {
        const std::string& text = c.kind() == ReportControl::Kind::Label ? static_cast<const Label&>(c).Caption
                                                                           : static_cast<const Field&>(c).Text;
        TextStyle st;
        st.font = doc_->fontIndex(c.Font);
        st.align = c.Alignment;
        st.valign = c.VerticalAlignment;
        st.wrap = c.WordWrap;
        st.grow = c.CanGrow;
        st.color = c.ForeColor;
        if (c.BackColor != CLR_INVALID) page.addBox(x, top, w, h, 0, 0, c.BackColor);
        height = std::max(height, placeText(*doc_, page, x, top, w, h, text, st) - y);
        break;
      }
      case ReportControl::Kind::Picture: {
        const auto& p = static_cast<const PictureBox&>(c);
        if (p.Picture.empty() || p.Picture.width() <= 0 || p.Picture.height() <= 0) break;
        doc_->pictures.push_back(p.Picture);
        const uint32_t at = static_cast<uint32_t>(doc_->pictures.size() - 1);
        if (p.Stretch) {
          page.addPicture(x, top, w, h, at);
        } else {
          const double k = std::min(static_cast<double>(w) / p.Picture.width(), static_cast<double>(h) / p.Picture.height());
          const int pw = static_cast<int>(p.Picture.width() * k), ph = static_cast<int>(p.Picture.height() * k);
          page.addPicture(x + (w - pw) / 2, top + (h - ph) / 2, pw, ph, at);
        }
        break;
      }
      case ReportControl::Kind::Line: {
        const auto& l = static_cast<const LineControl&>(c);
        page.addLine(x, top, x0 + twipsToUnits(l.X2), y + twipsToUnits(l.Y2), twipsToUnits(l.LineWeight), l.ForeColor);
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
