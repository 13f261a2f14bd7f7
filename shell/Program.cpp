// The program entry: the machine, the application, the twelve windows, the message loop.
#include <iostream>
#include <memory>

#include "completion/SetupCompleteUnit.h"
#include "engine/CopyingFilesUnit.h"
#include "pages/ChooseDirUnit.h"
#include "pages/CustomSetupUnit.h"
#include "pages/DestinationUnit.h"
#include "pages/FolderUnit.h"
#include "pages/SetupTypeUnit.h"
#include "pages/StartCopyingUnit.h"
#include "platform/vcl/vcl.h"
#include "platform/win32/drive_directories.h"
#include "platform/win32/machine.h"
#include "shell/BackgroundUnit.h"
#include "shell/ChoicesDump.h"
#include "shell/DDlgUnit.h"
#include "shell/ExitUnit.h"
#include "shell/MainUnit.h"

int main(int, char** argv) {
  std::unique_ptr<win32::Machine> machine;
  try {
    machine = win32::open_selected_machine(argv[0]);
  } catch (const win32::MachineUnusable& error) {
    std::cerr << "setup: the machine cannot be used: " << error.what() << "\n";
    return 2;
  }
  win32::MachineScope scope(*machine);
  win32::MachineDriveDirectories drives(*machine);

  using vcl::Application;
  InitializeBackgroundUnit();
  Application->Initialize();
  Application->SetTitle("Setup.exe");
  Application->SetDriveDirectoryProvider(&drives);
  Application->SetChoicesProvider(WriteChoices);
  Application->CreateForm(frmBackground);
  Application->CreateForm(frmComplete);
  Application->CreateForm(frmMain);
  Application->CreateForm(frmExit);
  Application->CreateForm(frmDestination);
  Application->CreateForm(frmCustomSetup);
  Application->CreateForm(frmFolder);
  Application->CreateForm(frmStartCopying);
  Application->CreateForm(frmCopyingFiles);
  Application->CreateForm(frmChooseDir);
  Application->CreateForm(frmSetupType);
  Application->CreateForm(frmGermanDlg);
  Application->Run();
  return 0;
}
