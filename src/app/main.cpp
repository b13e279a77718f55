// Entry point of Vantorel.exe: the login dialog is the first window; its load
// does the start-up, and the message loop runs until the program ends.
#include <windows.h>

#include "app/wiring.h"
#include "platform/ui/app.h"
#include "platform/ui/form.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  ui::App& app = ui::App::get();
  app::wireProgram();
  ui::SafeCall([] { app::startProgram(); });
  return app.Run();
}
