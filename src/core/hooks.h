#pragma once
// What the core reaches in the subsystems built on it, without including
// them: the main window's commands that open their dialogs, and the settings
// object's institution name. The program's entry point fills these in (see
// src/app/wiring.h), so the program folders depend downwards only:
// customers on receipts, receipts on core, all of them on the platform.
#include <functional>
#include <string>

namespace ui {
class Form;
}

namespace core {

// A command the main window dispatches: it runs with the main window as the
// owner of whatever dialog it opens.
using Command = std::function<void(ui::Form& owner)>;

// Registers (or, with an empty function, removes) the command for a ribbon
// ID; the dispatcher compares IDs as numbers.
void setCommand(int id, Command command);
// Runs the command registered for the ID's number; false when none is.
bool runCommand(double id, ui::Form& owner);

// The institution name as the settings object holds it ("" until wired).
void setInstitutionName(std::function<std::string()> reader);
std::string institutionName();

// Makes the settings object read tblset again, after a restore or a reset
// changed the database under it (nothing until wired).
void setSettingsReload(std::function<void()> reload);
void reloadSettings();

}  // namespace core
