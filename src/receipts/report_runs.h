#pragma once
// Report runs: every printed output of the receipts goes through one run that
// hands a template, the program's connection string, a query and (for the
// period report) a parameter to the report engine, which previews and prints.
#include <functional>
#include <optional>
#include <string>

// What a run hands the report engine.
struct ReportJob {
  std::string templatePath;      // program folder + template name
  std::string connectionString;  // bound under the alias "gg"
  std::string query;             // the dataset "datasiswa"
  std::string title;             // the preview's title
  std::optional<std::string> period;  // the parameter "p_01" (period report only)
};

// Shows a job: by default the template engine's preview with printing. Tests
// replace it to see what a command asked for without opening the preview;
// an empty function puts the default back.
void setReportViewer(std::function<void(const ReportJob&)> viewer);

// The receipt template a template index chooses, as a name under the program
// folder: 0 "\temp\01.rep", 1 "\temp\02.rep", any other (-1 included) "\temp\03.rep".
std::string receiptTemplate(int templateIndex);

// One run. Tests the query for rows on koneksi: without rows nothing is shown.
// With rows the engine gets the template (program folder + templateName), the
// connection string of koneksi under the alias "gg", the query as the dataset
// "datasiswa", the period text (when given) as the parameter "p_01" and the
// title "Cetak Kwitansi", and shows its preview. Any error shows its text in a
// message box (OK only, no icon, the application title) and ends the run.
void runReceiptReport(const std::string& query, const std::string& templateName,
                      const std::optional<std::string>& periodText = std::nullopt);
