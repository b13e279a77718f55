#pragma once
// The template report engine: a template file, a named connection string, a
// named dataset query and named parameters in; a preview with printing out.
//
//   report::ReportManager rm;
//   rm.ReportTemplate(folder + "\\temp\\01.rep");
//   rm.Preview(true);
//   rm.ReportTitle("Cetak Kwitansi");
//   rm.BindConnection("gg", connectionString);
//   rm.BindDatasetQuery("datasiswa", "select ...");
//   rm.BindParameter("p_01", "Periode : ...");
//   rm.ShowPrintDialog(true);
//   rm.RunReport();
//
// The engine opens its own connection with the bound string, runs the bound
// query for the template's first dataset and the template's own queries for
// the others, and lays out pages as the rows arrive: the preview shows the
// first page while later ones are still being laid out.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/report/page.h"
#include "platform/report/template.h"
#include "platform/vb/variant.h"

namespace db {
class Connection;
class Recordset;
}

namespace report {

// Rows handed to the layout one at a time.
class RowSource {
public:
  virtual ~RowSource() = default;
  virtual std::vector<std::string> columns() = 0;
  // Moves to the next row (the first one on the first call); false at the end.
  virtual bool next() = 0;
  virtual const vb::Variant& value(int column) = 0;
};

// Rows of a query, read from the database as the layout asks for them.
class RecordsetRows : public RowSource {
public:
  RecordsetRows(const std::string& sql, const std::shared_ptr<db::Connection>& cn);
  ~RecordsetRows() override;
  std::vector<std::string> columns() override;
  bool next() override;
  const vb::Variant& value(int column) override;

private:
  std::unique_ptr<db::Recordset> rs_;
  bool started_ = false;
};

// Rows already in memory (tests, benchmarks, and the template's own datasets).
class TableRows : public RowSource {
public:
  TableRows(std::vector<std::string> columns, std::vector<std::vector<vb::Variant>> rows);
  std::vector<std::string> columns() override { return columns_; }
  bool next() override { return ++at_ < static_cast<long>(rows_.size()); }
  const vb::Variant& value(int column) override { return rows_[static_cast<size_t>(at_)][static_cast<size_t>(column)]; }

private:
  std::vector<std::string> columns_;
  std::vector<std::vector<vb::Variant>> rows_;
  long at_ = -1;
};

// A template's pages, laid out from its rows on demand.
class TemplateDocument : public Document {
public:
  // main: the rows of the template's first dataset; others: the first row of
  // each further dataset, by name (no row: its fields read empty). Checks every
  // name the template uses against them.
  TemplateDocument(TemplateDef def, std::unique_ptr<RowSource> main,
                   std::map<std::string, std::unique_ptr<RowSource>> others,
                   std::map<std::string, std::string> parameters);
  ~TemplateDocument() override;

  bool layoutMore(int budgetMs) override;
  void abandon() override;
  const TemplateDef& definition() const { return def_; }
  long rowsLaidOut() const { return rowsDone_; }

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
  TemplateDef def_;
  long rowsDone_ = 0;
};

class ReportManager {
public:
  ReportManager();
  ~ReportManager();
  ReportManager(const ReportManager&) = delete;
  ReportManager& operator=(const ReportManager&) = delete;

  std::string ReportTemplate() const { return template_; }
  void ReportTemplate(const std::string& path) { template_ = path; }
  bool Preview() const { return preview_; }
  void Preview(bool on) { preview_ = on; }
  bool ShowPrintDialog() const { return printDialog_; }
  void ShowPrintDialog(bool on) { printDialog_ = on; }
  std::string ReportTitle() const { return title_; }
  void ReportTitle(const std::string& title) { title_ = title; }
  // Kept for callers that set it before a run; the engine always shows its
  // progress in the preview's page count, so it changes nothing.
  void ShowProgress(bool) {}

  void BindConnection(const std::string& alias, const std::string& connectionString);
  std::string ReadConnection(const std::string& alias) const;
  void BindDatasetQuery(const std::string& dataset, const std::string& query);
  std::string ReadDatasetQuery(const std::string& dataset) const;
  void BindParameter(const std::string& name, const std::string& value);
  std::string ReadParameter(const std::string& name) const;

  // Reads the template, opens the connection and the datasets and returns the
  // document, ready to lay out. Errors: vb::Error kReportError (template),
  // or the database layer's own.
  std::unique_ptr<TemplateDocument> Open();
  // Preview: the modal preview window (owned by the active window) with its
  // Print button; otherwise straight to the printer. ShowPrintDialog: printing
  // asks for the printer, copies and pages first.
  void RunReport();

private:
  std::string template_, title_;
  bool preview_ = false, printDialog_ = false;
  std::map<std::string, std::string> connections_, queries_, parameters_;  // keys in lower case
};

}  // namespace report
