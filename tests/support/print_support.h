// Printing in tests: the test command gives each run a PDF printer of its own
// (VT_PRINTER) that writes into a fresh folder under build/pdf/ (VT_PDF_DIR).
// These helpers find the PDFs a test printed and read them back with the
// machine's own pdftotext and pdftoppm.
#pragma once
#include <string>
#include <vector>

namespace vt::test {

// The run's PDF printer, or "" when the run has none: printing tests skip
// then, unless the run was meant to print (VT_REQUIRE_PRINTER, set by
// start_printer), when the calling test fails.
std::string TestPrinter();
// The PDFs printed so far in this run, as Windows paths, oldest first.
std::vector<std::string> PrintedPdfs();
// Waits until `count` PDFs more than `before` are written whole; returns the
// new ones, oldest first (fewer when the time runs out).
std::vector<std::string> WaitForPdfs(size_t before, size_t count = 1, int timeoutMs = 60000);
// The text of a PDF as pdftotext lays it out; "" when it cannot be read.
std::string PdfText(const std::string& pdf);
// The number of pages of a PDF (pdfinfo); 0 when it cannot be read.
int PdfPages(const std::string& pdf);
// Runs a shell command of the machine and waits for it; false when it did not
// end within the time.
bool RunUnix(const std::string& command, int timeoutMs = 30000);
// Renders a PDF's first page as build/screenshots/<name>.png (pdftoppm).
bool PdfToScreenshot(const std::string& pdf, const std::string& name, int dpi = 110);
// Renders every page as build/screenshots/<name>-<n>.png.
bool PdfPagesToScreenshots(const std::string& pdf, const std::string& name, int dpi = 110);

// A printed word as pdftotext reads it: its page (from 0) and its box in
// points from the page's top-left corner.
struct PdfWord {
  int page = 0;
  double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
  std::string text;
};
struct PdfLayout {
  std::vector<std::pair<double, double>> pages;  // width and height, points
  std::vector<PdfWord> words;                    // in the order they were drawn
};
// The words of a PDF (pdftotext -bbox -raw); empty when it cannot be read.
PdfLayout PdfWords(const std::string& pdf);
// Whether the words of a text (split at blanks) stand one after another on
// one page of the PDF, in order, each whole (a word longer than its line
// may go on over the next one, in pieces).
bool HasWordRun(const PdfLayout& pdf, const std::string& text);
// The words that stand past the given margins (millimetres) of their page,
// each as "word (page n, x0..x1, y0..y1 mm)".
std::vector<std::string> WordsOutside(const PdfLayout& pdf, double left, double top, double right, double bottom);

}  // namespace vt::test
