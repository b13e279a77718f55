#pragma once
// The About dialog: the program's icon, title, version (from the executable's
// version resource) and description, and a button that starts the system's
// information program where the registry says it is.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/ui/command_button.h"
#include "platform/ui/form.h"
#include "platform/ui/label.h"
#include "platform/ui/line.h"
#include "platform/ui/picturebox.h"

class frmAbout : public ui::Form {
public:
  frmAbout();

  ui::PictureBox picIcon{this};
  ui::Label lblTitle{this}, lblVersion{this}, lblDescription{this};
  // An etched separator: a shadow line with a highlight line under it.
  ui::Line Line1[2]{ui::Line(this), ui::Line(this)};
  ui::CommandButton cmdOK{this}, cmdSysInfo{this};

  void Form_Load() override;
  void cmdOK_Click();
  void cmdSysInfo_Click();

  // One registry value as read: its type (REG_SZ, REG_DWORD, ...) and its bytes.
  struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes;
  };
  // Opens keyName under root with the access mask and reads valueName; false
  // when the key or the value cannot be read. Empty: the real registry. A
  // test replaces it to stand for a machine with or without the keys.
  using RegistryReader = std::function<bool(HKEY root, const std::string& keyName, REGSAM access,
                                            const std::string& valueName, RegistryValue& out)>;
  static RegistryReader& Registry();

protected:
  void Design() override;

private:
  void StartSysInfo();
  bool GetKeyValue(HKEY KeyRoot, const std::string& KeyName, const std::string& SubKeyRef, std::string& KeyVal);
};

// The version recorded with the running executable: major, minor, revision
// (all 0 when it carries none).
struct ProgramVersion {
  int major = 0, minor = 0, revision = 0;
};
ProgramVersion programVersion();
