// Writes the installation choices for the session dump.
#include "shell/ChoicesDump.h"

#include "platform/vcl/forms.h"
#include "shell/Choices.h"

void WriteChoices(vcl::TChoicesWriter& out) {
  const TInstallationChoices& c = Choices;
  out.AddBoolean("InstallSolver", c.InstallSolver);
  out.AddBoolean("CompactSolver", c.CompactSolver);
  out.AddBoolean("InstallGenerator", c.InstallGenerator);
  out.AddBoolean("CompactGenerator", c.CompactGenerator);
  out.AddBoolean("InstallDrawer", c.InstallDrawer);
  out.AddBoolean("CompactDrawer", c.CompactDrawer);
  out.AddInteger("SolverMainLanguage", c.SolverMainLanguage);
  out.AddInteger("SolverHelpLanguage", c.SolverHelpLanguage);
  out.AddInteger("SolverDictionaryLanguage", c.SolverDictionaryLanguage);
  out.AddInteger("GeneratorLanguage", c.GeneratorLanguage);
  out.AddInteger("DrawerLanguage", c.DrawerLanguage);
  out.AddString("TargetBaseDir", c.TargetBaseDir);
  out.AddString("TargetSubDir", c.TargetSubDir);
  out.AddString("TargetDrive", c.TargetDrive ? AnsiString(1, c.TargetDrive) : AnsiString());
  out.AddString("ProgramFolder", c.ProgramFolder);
  out.AddString("StartMenuProgramsDir", c.StartMenuProgramsDir);
  out.AddString("IE5SetupDir", c.IE5SetupDir);
  out.AddString("HHUpdDir", c.HHUpdDir);
}
