#include "receipts/report_runs.h"

#include "core/module1.h"
#include "platform/db/recordset.h"
#include "platform/report/template_report.h"
#include "platform/ui/app.h"
#include "platform/ui/seams.h"

namespace {

// The report engine's part of a run, in the order the engine is driven:
// preview with printing through the print dialog.
void engineViewer(const ReportJob& job) {
  report::ReportManager rm;
  rm.ReportTemplate(job.templatePath);
  rm.Preview(true);
  rm.ReportTitle(job.title);
  rm.BindConnection("gg", job.connectionString);
  rm.ReadConnection("gg");
  rm.BindDatasetQuery("datasiswa", job.query);
  rm.ReadDatasetQuery("datasiswa");
  if (job.period) {
    rm.BindParameter("p_01", *job.period);
    rm.ReadParameter("p_01");
  }
  rm.ShowPrintDialog(true);
  rm.ShowProgress(true);
  rm.RunReport();
}

std::function<void(const ReportJob&)>& viewer() {
  static std::function<void(const ReportJob&)> current = engineViewer;
  return current;
}

void showReport(const ReportJob& job) { viewer()(job); }

}  // namespace

void setReportViewer(std::function<void(const ReportJob&)> v) {
  viewer() = v ? std::move(v) : std::function<void(const ReportJob&)>(engineViewer);
}

std::string receiptTemplate(int templateIndex) {
  switch (templateIndex) {
    case 0: return "\\temp\\01.rep";
    case 1: return "\\temp\\02.rep";
    default: return "\\temp\\03.rep";
  }
}

void runReceiptReport(const std::string& query, const std::string& templateName,
                      const std::optional<std::string>& periodText) {
  try {
    // The program's own query only tests for rows; the engine runs it again.
    db::Recordset rs;
    rs.open(query, Module1::koneksi);
    if (!rs.eof()) {
      ReportJob job;
      job.templatePath = ui::App::get().Path() + templateName;
      job.connectionString = Module1::koneksi->connectionString();
      job.query = query;
      job.title = "Cetak Kwitansi";
      job.period = periodText;
      showReport(job);
    }
    rs.close();
  } catch (const ui::ProgramEnded&) {
    throw;
  } catch (const std::exception& e) {
    ui::MsgBoxError(e);
  }
}
