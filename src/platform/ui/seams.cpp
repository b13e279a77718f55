#include "platform/ui/seams.h"

#include <commdlg.h>
#include <shellapi.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/ui/app.h"
#include "platform/ui/win_util.h"
#include "platform/vb/error.h"

namespace ui {

namespace {
Seams makeReal() {
  Seams s;
  s.msgBox = RealMsgBox;
  s.inputBox = RealInputBox;
  s.fileDialog = RealFileDialog;
  s.shellExecute = RealShellExecute;
  s.print = RealPrint;
  s.printDialog = RealPrintDialog;
  s.endProgram = [] { ExitProcess(0); };
  return s;
}
}  // namespace

Seams& seams() {
  static Seams* s = new Seams(makeReal());
  return *s;
}

void resetSeams() { seams() = makeReal(); }

int RealMsgBox(const std::string& prompt, int flags, const std::string& title) {
  HWND owner = GetActiveWindow();
  UINT type = static_cast<UINT>(flags);
  if (!owner) type |= MB_TASKMODAL;
  return MessageBoxW(owner, Widen(prompt).c_str(), Widen(title).c_str(), type);
}

int MsgBox(const std::string& prompt, int flags, const std::optional<std::string>& title) {
  const std::string& t = title ? *title : App::get().Title();
  auto& s = seams();
  return s.msgBox ? s.msgBox(prompt, flags, t) : RealMsgBox(prompt, flags, t);
}

int MsgBoxError(const std::exception& e, int flags, const std::optional<std::string>& title) {
  return MsgBox(vb::errorDescription(e), flags, title);
}

std::string InputBox(const std::string& prompt, const std::optional<std::string>& title,
                     const std::string& defaultText) {
  const std::string& t = title ? *title : App::get().Title();
  auto& s = seams();
  return s.inputBox ? s.inputBox(prompt, t, defaultText) : RealInputBox(prompt, t, defaultText);
}

intptr_t ShellExecuteFile(HWND owner, const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory, int show) {
  ShellRequest r{owner, verb, file, parameters, directory, show};
  auto& s = seams();
  return s.shellExecute ? s.shellExecute(r) : RealShellExecute(r);
}

// --- input box: a small dialog built in memory ----------------------------------

namespace {

struct InputState {
  std::wstring prompt, title, text;
  bool ok = false;
};

void align4(std::vector<WORD>& t) {
  if (t.size() % 2) t.push_back(0);
}
void addText(std::vector<WORD>& t, const std::wstring& s) {
  for (wchar_t c : s) t.push_back(static_cast<WORD>(c));
  t.push_back(0);
}
void addItem(std::vector<WORD>& t, DWORD style, short x, short y, short cx, short cy, WORD id,
             WORD cls, const std::wstring& text) {
  align4(t);
  DLGITEMTEMPLATE item{style | WS_CHILD | WS_VISIBLE, 0, x, y, cx, cy, id};
  const WORD* p = reinterpret_cast<const WORD*>(&item);
  t.insert(t.end(), p, p + sizeof(item) / sizeof(WORD));
  t.push_back(0xFFFF);
  t.push_back(cls);
  addText(t, text);
  t.push_back(0);
}

INT_PTR CALLBACK InputProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
  auto* st = reinterpret_cast<InputState*>(GetWindowLongPtrW(dlg, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dlg, DWLP_USER, lp);
      st = reinterpret_cast<InputState*>(lp);
      SetWindowTextW(dlg, st->title.c_str());
      SetDlgItemTextW(dlg, 100, st->prompt.c_str());
      SetDlgItemTextW(dlg, 101, st->text.c_str());
      SendDlgItemMessageW(dlg, 101, EM_SETSEL, 0, -1);
      SetFocus(GetDlgItem(dlg, 101));
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
        if (LOWORD(wp) == IDOK) {
          wchar_t buf[1024];
          int n = GetDlgItemTextW(dlg, 101, buf, 1024);
          st->text.assign(buf, static_cast<size_t>(n));
          st->ok = true;
        }
        EndDialog(dlg, LOWORD(wp));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

std::string RealInputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  InputState st{Widen(prompt), Widen(title), Widen(defaultText), false};
  std::vector<WORD> t;
  DLGTEMPLATE dt{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 0, 4, 0, 0, 240, 90};
  const WORD* p = reinterpret_cast<const WORD*>(&dt);
  t.insert(t.end(), p, p + sizeof(dt) / sizeof(WORD));
  t.push_back(0);  // no menu
  t.push_back(0);  // default class
  t.push_back(0);  // title set at init
  t.push_back(8);
  addText(t, L"Tahoma");
  addItem(t, SS_LEFT, 7, 7, 170, 50, 100, 0x0082, L"");
  addItem(t, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 66, 226, 14, 101, 0x0081, L"");
  addItem(t, BS_DEFPUSHBUTTON | WS_TABSTOP, 183, 7, 50, 14, IDOK, 0x0080, L"OK");
  addItem(t, BS_PUSHBUTTON | WS_TABSTOP, 183, 25, 50, 14, IDCANCEL, 0x0080, L"Cancel");
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()),
                          GetActiveWindow(), InputProc, reinterpret_cast<LPARAM>(&st));
  return st.ok ? Narrow(st.text) : std::string();
}

// --- file dialogs, shell, printing ---------------------------------------------------

bool RealFileDialog(FileDialogRequest& r) {
  std::wstring filter = Widen(r.filter);
  for (auto& c : filter)
    if (c == L'|') c = L'\0';
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  std::vector<wchar_t> file(32768, L'\0');
  std::wstring initial = Widen(r.fileName);
  initial.copy(file.data(), std::min(initial.size(), file.size() - 1));
  std::wstring title = Widen(r.title), dir = Widen(r.initDir), ext = Widen(r.defaultExt);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = r.owner ? r.owner : GetActiveWindow();
  ofn.lpstrFilter = r.filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(r.filterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
  ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | r.flags;
  BOOL ok = r.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  r.fileName = Narrow(file.data());
  r.filterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

intptr_t RealShellExecute(const ShellRequest& r) {
  std::wstring verb = Widen(r.verb), file = Widen(r.file), params = Widen(r.parameters), dir = Widen(r.directory);
  HINSTANCE h = ShellExecuteW(r.owner, verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                              params.empty() ? nullptr : params.c_str(), dir.empty() ? nullptr : dir.c_str(), r.show);
  return reinterpret_cast<intptr_t>(h);
}

namespace {

std::wstring defaultPrinter() {
  DWORD n = 0;
  GetDefaultPrinterW(nullptr, &n);
  if (!n) return std::wstring();
  std::wstring name(n, L'\0');
  if (!GetDefaultPrinterW(&name[0], &n)) return std::wstring();
  name.resize(wcslen(name.c_str()));
  return name;
}

// The printer's settings with the job's paper, orientation and one copy (the
// copies are printed as whole documents, one after another).
std::vector<BYTE> jobSettings(const std::wstring& printer, const PrintRequest& r) {
  HANDLE h = nullptr;
  std::vector<BYTE> buf;
  if (!OpenPrinterW(const_cast<wchar_t*>(printer.c_str()), &h, nullptr)) return buf;
  LONG size = DocumentPropertiesW(nullptr, h, const_cast<wchar_t*>(printer.c_str()), nullptr, nullptr, 0);
  if (size > 0) {
    buf.assign(static_cast<size_t>(size), 0);
    auto* dm = reinterpret_cast<DEVMODEW*>(buf.data());
    if (DocumentPropertiesW(nullptr, h, const_cast<wchar_t*>(printer.c_str()), dm, nullptr, DM_OUT_BUFFER) == IDOK) {
      dm->dmOrientation = static_cast<short>(r.landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
      dm->dmFields |= DM_ORIENTATION;
      dm->dmCopies = 1;
      dm->dmFields |= DM_COPIES;
      struct Paper {
        int w, h;
        short id;
      };
      const Paper known[] = {{2100, 2970, DMPAPER_A4}, {1480, 2100, DMPAPER_A5}, {2159, 2794, DMPAPER_LETTER}};
      for (const Paper& p : known)
        if (std::abs(p.w - r.paperWidth) <= 2 && std::abs(p.h - r.paperHeight) <= 2) {
          dm->dmPaperSize = p.id;
          dm->dmFields |= DM_PAPERSIZE;
          dm->dmFields &= ~static_cast<DWORD>(DM_PAPERWIDTH | DM_PAPERLENGTH);
        }
      DocumentPropertiesW(nullptr, h, const_cast<wchar_t*>(printer.c_str()), dm, dm, DM_IN_BUFFER | DM_OUT_BUFFER);
    } else {
      buf.clear();
    }
  }
  ClosePrinter(h);
  return buf;
}

}  // namespace

bool RealPrint(const PrintRequest& r) {
  std::wstring name = r.printerName.empty() ? defaultPrinter() : Widen(r.printerName);
  if (name.empty() || r.pageCount <= 0) return false;
  std::vector<BYTE> settings = jobSettings(name, r);
  HDC dc = CreateDCW(L"WINSPOOL", name.c_str(), nullptr,
                     settings.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(settings.data()));
  if (!dc) return false;
  const int first = std::max(1, r.fromPage ? r.fromPage : 1);
  const int last = std::min(r.pageCount, r.toPage ? r.toPage : r.pageCount);
  if (first > last) {
    DeleteDC(dc);
    return false;
  }
  std::wstring doc = Widen(r.documentName);
  DOCINFOW di{sizeof(di), doc.c_str(), nullptr, nullptr, 0};
  bool ok = StartDocW(dc, &di) > 0;
  try {
    for (int copy = 0; ok && copy < std::max(1, r.copies); ++copy)
      for (int page = first; ok && page <= last; ++page) {
        ok = StartPage(dc) > 0;
        if (ok && r.renderPage) r.renderPage(dc, page);
        ok = ok && EndPage(dc) > 0;
      }
  } catch (...) {
    AbortDoc(dc);
    DeleteDC(dc);
    throw;
  }
  if (ok) EndDoc(dc);
  else AbortDoc(dc);
  DeleteDC(dc);
  return ok;
}

bool RealPrintDialog(PrintDialogRequest& r) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof(pd);
  pd.hwndOwner = r.owner ? r.owner : GetActiveWindow();
  pd.Flags = PD_ALLPAGES | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
  pd.nMinPage = 1;
  pd.nMaxPage = static_cast<WORD>(std::max(1, std::min(r.pageCount, 0xFFFF)));
  pd.nFromPage = 1;
  pd.nToPage = pd.nMaxPage;
  pd.nCopies = 1;
  if (!PrintDlgW(&pd)) return false;
  if (pd.hDevNames) {
    auto* dn = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames));
    if (dn) r.printerName = Narrow(reinterpret_cast<const wchar_t*>(dn) + dn->wDeviceOffset);
    GlobalUnlock(pd.hDevNames);
  }
  r.copies = std::max<int>(1, pd.nCopies);
  if (pd.hDevMode) {
    auto* dm = static_cast<DEVMODEW*>(GlobalLock(pd.hDevMode));
    if (dm && (dm->dmFields & DM_COPIES)) r.copies = std::max<int>(r.copies, dm->dmCopies);
    GlobalUnlock(pd.hDevMode);
  }
  r.fromPage = r.toPage = 0;
  if (pd.Flags & PD_PAGENUMS) {
    r.fromPage = pd.nFromPage;
    r.toPage = pd.nToPage;
  }
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  return true;
}

}  // namespace ui
