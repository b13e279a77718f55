#pragma once
// Report runs: every printed output of the receipts goes through one run that
// hands a template, the program's connection string, a query and (for the
// period report) a parameter to the report engine, which previews and prints.
#include <optional>
#include <string>

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
