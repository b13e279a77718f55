#include "core/hooks.h"

#include <map>

namespace core {

namespace {
std::map<int, Command>& commands() {
  static std::map<int, Command> table;
  return table;
}
std::function<std::string()>& nameReader() {
  static std::function<std::string()> reader;
  return reader;
}
std::function<void()>& settingsReload() {
  static std::function<void()> reload;
  return reload;
}
}  // namespace

void setCommand(int id, Command command) {
  if (command)
    commands()[id] = std::move(command);
  else
    commands().erase(id);
}

bool runCommand(double id, ui::Form& owner) {
  if (!(id >= -1e9 && id <= 1e9) || id != static_cast<int>(id)) return false;
  const auto it = commands().find(static_cast<int>(id));
  if (it == commands().end()) return false;
  // A copy, so that a command that re-registers itself keeps running.
  const Command command = it->second;
  command(owner);
  return true;
}

void setInstitutionName(std::function<std::string()> reader) { nameReader() = std::move(reader); }

std::string institutionName() { return nameReader() ? nameReader()() : std::string(); }

void setSettingsReload(std::function<void()> reload) { settingsReload() = std::move(reload); }

void reloadSettings() {
  if (settingsReload()) settingsReload()();
}

}  // namespace core
