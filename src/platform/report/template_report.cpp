#include "platform/report/template_report.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <unordered_map>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/report/preview.h"
#include "platform/ui/win_util.h"
#include "platform/vb/format.h"
#include "platform/vb/text.h"

namespace report {

// --- row sources ---------------------------------------------------------------------

RecordsetRows::RecordsetRows(const std::string& sql, const std::shared_ptr<db::Connection>& cn)
    : rs_(std::make_unique<db::Recordset>()) {
  rs_->open(sql, cn);
}

RecordsetRows::~RecordsetRows() {
  try {
    rs_->close();
  } catch (...) {
    // Closing a finished query cannot fail in a way the reader could act on.
  }
}

std::vector<std::string> RecordsetRows::columns() {
  std::vector<std::string> out;
  for (int i = 0; i < rs_->fieldCount(); ++i) out.push_back(rs_->field(i).name());
  return out;
}

bool RecordsetRows::next() {
  if (started_ && !rs_->eof()) rs_->moveNext();
  started_ = true;
  return !rs_->eof();
}

const vb::Variant& RecordsetRows::value(int column) { return rs_->field(column).value(); }

TableRows::TableRows(std::vector<std::string> columns, std::vector<std::vector<vb::Variant>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

// --- layout ------------------------------------------------------------------------------

namespace {

[[noreturn]] void failAt(const TemplateDef& def, int line, const std::string& what) {
  vb::raise(kReportError, def.file + ", line " + std::to_string(line) + ": " + what, "report");
}

// A number out of a value as the program stores amounts: grouped text counts
// as the whole number its digits spell, whatever region grouped it
// ("1,500,000" saved on one PC, "1.500.000" on another).
bool amountText(const std::string& text, double& d) {
  return vb::groupedWholeNumber(text, d) || vb::parseNumber(text, d);
}

double amountOf(const vb::Variant& v) {
  if (v.isNull() || v.isEmpty()) return 0;
  if (v.type() != vb::VarType::String) return v.toDouble();
  double d;
  if (amountText(v.stringValue(), d)) return d;
  std::string digits;
  for (char c : v.stringValue())
    if ((c >= '0' && c <= '9') || (c == '-' && digits.empty())) digits += c;
  return digits.empty() || digits == "-" ? 0 : std::strtod(digits.c_str(), nullptr);
}

// A format of digits and separators ("#,##0"), not of a date.
bool numberFormat(const std::string& format) {
  if (format.empty()) return false;
  for (char c : format)
    if (std::isalpha(static_cast<unsigned char>(c))) return false;
  return format.find_first_of("#0") != std::string::npos;
}

bool absolutePath(const std::string& p) {
  return (p.size() > 1 && p[1] == ':') || (!p.empty() && (p[0] == '\\' || p[0] == '/'));
}

}  // namespace

struct TemplateDocument::Impl {
  TemplateDocument& doc;
  TemplateDef& def;
  std::unique_ptr<RowSource> main;
  bool hasRow = false;
  std::vector<std::vector<vb::Variant>> firstRows;  // per dataset; [0] unused
  std::map<std::string, std::string> params;       // lower-case names

  // Sums: one slot per distinct main column summed.
  std::vector<int> sumColumns;
  std::vector<double> totals;
  long rowCount = 0;
  struct Group {
    std::string key;
    std::vector<double> totals;
    long count = 0;
  };
  struct Grouping {
    const BandDef* band;
    int column;
    std::vector<Group> groups;
    std::unordered_map<std::string, size_t> index;
  };
  std::vector<Grouping> groupings;
  const Group* group = nullptr;  // the group a totals band is laid out for
  int groupColumn = -1;          // and the column it groups by

  const BandDef *header = nullptr, *pageHeader = nullptr, *detail = nullptr, *footer = nullptr,
                *pageFooter = nullptr;
  enum class Phase { Start, Rows, End, Done } phase = Phase::Start;
  // The page being filled; a band, a detail row, the totals and footer laid out before placing.
  Page page, scratch, row, tail;
  bool pageOpen = false, rowsOnPage = false;
  int y = 0, bottom = 0;
  int pageNumber = 0;
  long rowNumber = 0;
  std::unordered_map<std::string, uint32_t> pictureIndex;
  std::string text;  // scratch for evaluation
  // Per item of the band being laid out: where it moves, and what grew.
  std::vector<FlowBox> flow;
  std::vector<TextFit> fits;
  std::vector<std::string> texts;
  std::vector<GrowingText> growing;

  Impl(TemplateDocument& d, TemplateDef& t) : doc(d), def(t) {}

  int sumSlot(int column) {
    for (size_t i = 0; i < sumColumns.size(); ++i)
      if (sumColumns[i] == column) return static_cast<int>(i);
    sumColumns.push_back(column);
    return static_cast<int>(sumColumns.size() - 1);
  }

  void bind(const std::vector<std::vector<std::string>>& columns, Piece& p) {
    if (p.kind == Piece::Field && p.dataset.empty()) {
      // A bare name that is a parameter reads the parameter.
      auto it = params.find(vb::LCase(p.name));
      if (it != params.end()) {
        p.kind = Piece::Parameter;
        p.text = p.name;
        return;
      }
    }
    if (p.kind != Piece::Field && p.kind != Piece::Sum) return;
    int ds = 0;
    if (!p.dataset.empty()) {
      ds = -1;
      for (size_t i = 0; i < def.datasets.size(); ++i)
        if (vb::LCase(def.datasets[i].name) == vb::LCase(p.dataset)) ds = static_cast<int>(i);
      if (ds < 0) failAt(def, p.line, "unknown dataset \"" + p.dataset + "\" in [" + p.dataset + "." + p.name + "]");
    }
    if (p.kind == Piece::Sum && ds != 0) failAt(def, p.line, "sum() adds fields of the main dataset only");
    const auto& cols = columns[static_cast<size_t>(ds)];
    for (size_t c = 0; c < cols.size(); ++c)
      if (vb::LCase(cols[c]) == vb::LCase(p.name)) {
        p.datasetIndex = ds;
        p.column = static_cast<int>(c);
        if (p.kind == Piece::Sum) p.column = sumSlot(static_cast<int>(c));
        return;
      }
    failAt(def, p.line, "unknown field \"" + p.name + "\" in dataset \"" + def.datasets[static_cast<size_t>(ds)].name + "\"");
  }

  std::string valueText(const vb::Variant& v, const std::string& format) {
    std::string out;
    appendValue(v, format, out);
    return out;
  }

  // A field's text added to out; a text field without format as it is, with
  // no copy in between (a long report adds hundreds of thousands).
  void appendValue(const vb::Variant& v, const std::string& format, std::string& out) {
    if (v.isNull() || v.isEmpty()) return;
    if (v.type() != vb::VarType::String) out += vb::Format(v, format);
    else if (format.empty()) out += v.stringValue();
    // A stored amount shows grouped as the settings in force group it.
    else if (double d; numberFormat(format) && amountText(v.stringValue(), d))
      out += vb::Format(vb::Variant(d), format);
    else out += vb::Format(v, format);
  }

  void fieldText(const Piece& p, std::string& out) {
    if (p.datasetIndex == 0) {
      if (group && p.column == groupColumn) out += group->key;
      else if (hasRow) appendValue(main->value(p.column), p.format, out);
    } else {
      const auto& row = firstRows[static_cast<size_t>(p.datasetIndex)];
      if (!row.empty()) appendValue(row[static_cast<size_t>(p.column)], p.format, out);
    }
  }

  void evaluate(const TextExpr& e, std::string& out) {
    out.clear();
    for (const Piece& p : e.pieces) {
      switch (p.kind) {
        case Piece::Literal: out += p.text; break;
        case Piece::Field:
          if (p.map.empty()) {
            fieldText(p, out);
          } else {
            std::string v;
            fieldText(p, v);
            for (const auto& [from, to] : p.map)
              if (vb::LCase(from) == vb::LCase(vb::Trim(v))) {
                v = to;
                break;
              }
            out += v;
          }
          break;
        case Piece::Parameter: {
          auto it = params.find(vb::LCase(p.text));
          if (it != params.end()) out += it->second;
          break;
        }
        case Piece::PageNumber: out += std::to_string(pageNumber); break;
        case Piece::PageCount: out += kPagesMarker; break;
        case Piece::RowNumber: out += std::to_string(rowNumber); break;
        case Piece::Today: out += vb::Format(vb::Variant(vb::now()), p.format.empty() ? "dd/mm/yyyy" : p.format); break;
        case Piece::Sum: {
          double v = group ? group->totals[static_cast<size_t>(p.column)] : totals[static_cast<size_t>(p.column)];
          out += vb::Format(vb::Variant(v), p.format.empty() ? "#,##0" : p.format);
          break;
        }
        case Piece::Count: out += std::to_string(group ? group->count : rowCount); break;
      }
    }
  }

  void accumulate() {
    ++rowCount;
    if (totals.size() < sumColumns.size()) totals.resize(sumColumns.size());
    for (size_t i = 0; i < sumColumns.size(); ++i) totals[i] += amountOf(main->value(sumColumns[i]));
    for (Grouping& g : groupings) {
      std::string key = valueText(main->value(g.column), "");
      auto it = g.index.find(key);
      size_t at;
      if (it == g.index.end()) {
        at = g.groups.size();
        g.index.emplace(key, at);
        g.groups.push_back(Group{key, std::vector<double>(sumColumns.size(), 0.0), 0});
      } else {
        at = it->second;
      }
      Group& gr = g.groups[at];
      ++gr.count;
      for (size_t i = 0; i < sumColumns.size(); ++i) gr.totals[i] += amountOf(main->value(sumColumns[i]));
    }
  }

  uint32_t picture(const std::string& file) {
    std::string path = absolutePath(file) ? file : def.folder + "\\" + file;
    auto it = pictureIndex.find(path);
    if (it != pictureIndex.end()) return it->second;
    img::Picture p;
    try {
      p = img::Picture::load(path);
    } catch (const vb::Error&) {
      // A missing or unreadable picture leaves its place empty.
    }
    doc.pictures.push_back(p);
    uint32_t at = static_cast<uint32_t>(doc.pictures.size() - 1);
    pictureIndex.emplace(path, at);
    return at;
  }

  // Where the rows of a page without the report header start.
  int freshTop() const { return def.marginTop + (pageHeader ? pageHeader->height : 0); }

  // The room a band has on a page: a band never grows past it.
  int room() const {
    return def.pageHeight - def.marginTop - def.marginBottom - (pageHeader ? pageHeader->height : 0) -
           (pageFooter ? pageFooter->height : 0);
  }

  static TextStyle styleOf(const ItemDef& it) {
    return TextStyle{it.fontIndex, it.align, it.valign, it.wrap,  it.grow,
                     it.shrinkTo,  it.color, it.fill,   it.pen,   it.padding};
  }

  // Lays a band out into out at (x0, y0); returns its height. Texts that
  // grow move what lies below them and the band grows with them, up to the
  // room a page has; past it the texts that took the most room shrink or are cut.
  int layoutBand(const BandDef& b, Page& out, int x0, int y0) {
    const size_t n = b.items.size();
    flow.assign(n, FlowBox());
    if (!b.grows) {
      for (size_t i = 0; i < n; ++i) placeItem(b.items[i], i, out, x0, y0);
      return b.height;
    }
    if (fits.size() < n) fits.resize(n), texts.resize(n);
    growing.clear();
    for (size_t i = 0; i < n; ++i) {
      const ItemDef& it = b.items[i];
      flow[i] = FlowBox::between(it.x, it.y, it.x + it.w, it.y + it.h, it.kind == Item::Text, it.kind != Item::Picture);
      if (it.kind == Item::Text && it.grow) {
        evaluate(it.text, texts[i]);
        growing.push_back({i, it.w, it.h, &texts[i], styleOf(it)});
      }
    }
    const int height = growBand(doc, flow, fits, growing, b.height, std::max(b.height, room()));
    for (size_t i = 0; i < n; ++i) placeItem(b.items[i], i, out, x0, y0);
    return height;
  }

  // One item at its place, moved and stretched as the band's flow says.
  void placeItem(const ItemDef& it, size_t i, Page& out, int x0, int y0) {
    const int dy = flow[i].dy, dh = flow[i].dh;
    const int x = x0 + it.x, y = y0 + it.y + dy;
    switch (it.kind) {
      case Item::Box: out.addBox(x, y, it.w, it.h + dh, it.pen, it.color, it.fill); break;
      case Item::Line:
        // A rule that runs down stretches at its lower end.
        if (it.h >= 0) out.addLine(x, y, x + it.w, y + it.h + (it.h > 0 ? dh : 0), it.pen, it.color);
        else out.addLine(x, y + dh, x + it.w, y + it.h, it.pen, it.color);
        break;
      case Item::Picture: {
        evaluate(it.text, text);
        if (text.empty()) break;
        uint32_t at = picture(text);
        const img::Picture& p = doc.pictures[at];
        if (p.empty() || p.width() <= 0 || p.height() <= 0) break;
        int w = it.w, h = it.h, px = x, py = y;
        if (!it.stretch) {
          const double s = std::min(static_cast<double>(it.w) / p.width(), static_cast<double>(it.h) / p.height());
          w = static_cast<int>(p.width() * s), h = static_cast<int>(p.height() * s);
          py = y + (it.h - h) / 2;
          px = it.align == Align::Left ? x : it.align == Align::Right ? x + it.w - w : x + (it.w - w) / 2;
        }
        out.addPicture(px, py, w, h, at);
        break;
      }
      case Item::Text:
        if (it.grow) {
          placeFitted(doc, out, x, y, it.w, it.h + dh, fits[i], styleOf(it));
        } else {
          evaluate(it.text, text);
          placeText(doc, out, x, y, it.w, it.h + dh, text, styleOf(it));
        }
        break;
    }
  }

  void append(const Page& from, int dy) {
    const uint32_t base = static_cast<uint32_t>(page.text.size());
    page.text += from.text;
    for (Item it : from.items) {
      it.y += dy;
      if (it.kind == Item::Text) it.at += base;
      page.items.push_back(it);
    }
  }

  void place(const BandDef& b) {
    scratch.items.clear();
    scratch.text.clear();
    int h = layoutBand(b, scratch, def.marginLeft, 0);
    append(scratch, y);
    y += h;
  }

  void openPage() {
    page = Page();
    page.width = def.pageWidth;
    page.height = def.pageHeight;
    pageNumber = static_cast<int>(doc.pages.size()) + 1;
    pageOpen = true;
    rowsOnPage = false;
    y = def.marginTop;
    bottom = def.pageHeight - def.marginBottom - (pageFooter ? pageFooter->height : 0);
    if (pageNumber == 1 && header) place(*header);
    if (pageHeader) place(*pageHeader);
  }

  void closePage() {
    if (pageFooter) {
      y = def.pageHeight - def.marginBottom - pageFooter->height;
      const Group* g = group;
      group = nullptr;
      place(*pageFooter);
      group = g;
    }
    doc.pages.push_back(std::move(page));
    page = Page();
    pageOpen = false;
  }

  void layoutEnd() {
    if (!pageOpen) openPage();
    // The totals and the footer stay together, after the last row; laid out
    // apart from the page bands, which a new page lays out again.
    tail.items.clear();
    tail.text.clear();
    int h = 0;
    for (Grouping& g : groupings) {
      std::sort(g.groups.begin(), g.groups.end(), [](const Group& a, const Group& b) { return a.key < b.key; });
      groupColumn = g.column;
      for (const Group& gr : g.groups) {
        group = &gr;
        h += layoutBand(*g.band, tail, def.marginLeft, h);
      }
      group = nullptr;
      groupColumn = -1;
    }
    if (footer) h += layoutBand(*footer, tail, def.marginLeft, h);
    if (y + h > bottom && rowsOnPage) {
      closePage();
      openPage();
    }
    append(tail, y);
    y += h;
    closePage();
  }
};

TemplateDocument::TemplateDocument(TemplateDef def, std::unique_ptr<RowSource> main,
                                   std::map<std::string, std::unique_ptr<RowSource>> others,
                                   std::map<std::string, std::string> parameters)
    : def_(std::move(def)) {
  impl_ = std::make_unique<Impl>(*this, def_);
  Impl& m = *impl_;
  title = def_.name;
  m.main = std::move(main);
  for (const ParameterDef& p : def_.parameters) m.params[vb::LCase(p.name)] = p.value;
  for (auto& [k, v] : parameters) m.params[vb::LCase(k)] = v;

  // Columns of every dataset, and the first row of the template's own.
  std::vector<std::vector<std::string>> columns(def_.datasets.size());
  m.firstRows.resize(def_.datasets.size());
  columns[0] = m.main->columns();
  for (size_t i = 1; i < def_.datasets.size(); ++i) {
    auto it = others.find(vb::LCase(def_.datasets[i].name));
    if (it == others.end()) continue;
    RowSource& src = *it->second;
    columns[i] = src.columns();
    if (src.next())
      for (size_t c = 0; c < columns[i].size(); ++c) m.firstRows[i].push_back(src.value(static_cast<int>(c)));
  }

  for (BandDef& b : def_.bands) {
    if (b.kind == BandDef::Totals) {
      m.bind(columns, b.by);
      if (b.by.datasetIndex != 0) failAt(def_, b.line, "totals are grouped by a field of the main dataset");
    }
    for (ItemDef& it : b.items) {
      for (Piece& p : it.text.pieces) m.bind(columns, p);
      if (it.kind == Item::Text) it.fontIndex = fontIndex(it.font);
    }
  }
  m.header = def_.band(BandDef::Header);
  m.pageHeader = def_.band(BandDef::PageHeader);
  m.detail = def_.band(BandDef::Detail);
  m.footer = def_.band(BandDef::Footer);
  m.pageFooter = def_.band(BandDef::PageFooter);
  for (const BandDef* b : def_.bandsOf(BandDef::Totals)) m.groupings.push_back({b, b->by.column, {}, {}});
  complete_ = false;
}

TemplateDocument::~TemplateDocument() = default;

bool TemplateDocument::layoutMore(int budgetMs) {
  if (complete_) return true;
  Impl& m = *impl_;
  const auto start = std::chrono::steady_clock::now();
  auto spent = [&] {
    return budgetMs >= 0 && std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(budgetMs);
  };
  try {
    if (m.phase == Impl::Phase::Start) {
      m.hasRow = m.main->next();
      m.phase = Impl::Phase::Rows;
    }
    const size_t pagesBefore = pages.size();
    int sinceCheck = 0;
    while (m.phase == Impl::Phase::Rows) {
      if (!m.hasRow) {
        m.phase = Impl::Phase::End;
        break;
      }
      ++m.rowNumber;
      m.accumulate();
      if (!m.pageOpen) m.openPage();
      m.row.items.clear();
      m.row.text.clear();
      const int h = m.layoutBand(*m.detail, m.row, def_.marginLeft, 0);
      // A row that does not fit the rest of the page starts the next one; so
      // does one under the first page's header that a page of its own holds.
      const bool overflows = m.y + h > m.bottom && (m.rowsOnPage || m.y > m.freshTop());
      if ((m.rowsOnPage && m.detail->newPage) || overflows) {
        m.closePage();
        m.openPage();
      }
      m.append(m.row, m.y);
      m.y += h;
      m.rowsOnPage = true;
      ++rowsDone_;
      m.hasRow = m.main->next();
      // A budget ends a step only once a page more is done, so that each step shows progress.
      if (++sinceCheck >= 16) {
        sinceCheck = 0;
        if (pages.size() > pagesBefore && spent()) return false;
      }
    }
    if (m.phase == Impl::Phase::End) {
      m.layoutEnd();
      m.phase = Impl::Phase::Done;
      m.main.reset();
      complete_ = true;
    }
  } catch (...) {
    m.main.reset();
    complete_ = true;
    throw;
  }
  return complete_;
}

void TemplateDocument::abandon() {
  impl_->main.reset();
  complete_ = true;
}

// --- the control --------------------------------------------------------------------

ReportManager::ReportManager() = default;
ReportManager::~ReportManager() = default;

void ReportManager::BindConnection(const std::string& alias, const std::string& cs) {
  connections_[vb::LCase(alias)] = cs;
}
std::string ReportManager::ReadConnection(const std::string& alias) const {
  auto it = connections_.find(vb::LCase(alias));
  return it == connections_.end() ? std::string() : it->second;
}
void ReportManager::BindDatasetQuery(const std::string& dataset, const std::string& query) {
  queries_[vb::LCase(dataset)] = query;
}
std::string ReportManager::ReadDatasetQuery(const std::string& dataset) const {
  auto it = queries_.find(vb::LCase(dataset));
  return it == queries_.end() ? std::string() : it->second;
}
void ReportManager::BindParameter(const std::string& name, const std::string& value) {
  parameters_[vb::LCase(name)] = value;
}
std::string ReportManager::ReadParameter(const std::string& name) const {
  auto it = parameters_.find(vb::LCase(name));
  return it == parameters_.end() ? std::string() : it->second;
}

std::unique_ptr<TemplateDocument> ReportManager::Open() {
  TemplateDef def = loadTemplate(template_);
  std::string cs;
  if (!def.connection.empty()) {
    auto it = connections_.find(vb::LCase(def.connection));
    if (it == connections_.end())
      vb::raise(kReportError, def.file + ": no connection string bound for \"" + def.connection + "\"", "report");
    cs = it->second;
  } else if (!connections_.empty()) {
    cs = connections_.begin()->second;
  } else {
    vb::raise(kReportError, def.file + ": no connection string bound", "report");
  }
  auto cn = db::Connection::create();
  cn->open(cs);

  std::map<std::string, std::unique_ptr<RowSource>> others;
  for (size_t i = 1; i < def.datasets.size(); ++i) {
    const DatasetDef& d = def.datasets[i];
    std::string q = ReadDatasetQuery(d.name);
    if (q.empty()) q = d.query;
    if (q.empty()) failAt(def, d.line, "dataset \"" + d.name + "\" has no query");
    others[vb::LCase(d.name)] = std::make_unique<RecordsetRows>(q, cn);
  }
  const DatasetDef& mainDef = def.datasets[0];
  std::string q = ReadDatasetQuery(mainDef.name);
  if (q.empty()) q = mainDef.query;
  if (q.empty()) failAt(def, mainDef.line, "dataset \"" + mainDef.name + "\" has no query bound");
  auto main = std::make_unique<RecordsetRows>(q, cn);
  std::map<std::string, std::string> params = parameters_;
  auto doc = std::make_unique<TemplateDocument>(std::move(def), std::move(main), std::move(others), params);
  if (!title_.empty()) doc->title = title_;
  return doc;
}

void ReportManager::RunReport() {
  std::unique_ptr<TemplateDocument> doc = Open();
  if (preview_) {
    PreviewWindow::showModal(*doc, printDialog_);
    doc->abandon();
    return;
  }
  doc->layoutAll();
  if (printPages(*doc, printDialog_, GetActiveWindow()) == PrintResult::Failed)
    vb::raise(kReportError, "The report could not be printed", "report");
}

}  // namespace report
