// The frame of the wizard in every edition: start-up, the welcome page, the cancel dialog,
// and the road between the welcome and destination pages.
#include <gtest/gtest.h>

#include "tests/e2e/session.h"

using e2e::control;
using e2e::form;
using e2e::lines;
using e2e::Session;
using e2e::Lines;

namespace {

struct EditionTexts {
  const char* program;
  int language;
  const char* banner;
  int banner_size;
  const char* title;
  const char* caption;
  const char* next;
  const char* cancel;
  Lines welcome;
  const char* resume;
  const char* exit;
  const char* exit_caption;
  Lines exit_lines;
};

const EditionTexts kEditions[] = {
    {"setup-da", 6, "KRYDS OG TVÆRS", 28, "Installation", "Installation af Kryds og Tværs Programmer", "&Fortsæt >",
     "&Afbryd",
     {"", "Velkommen. Dette program vil hjælpe dig med at installere Kryds og Tværs Programmer på din computer.", "",
      "Inden du fortsætter med denne installation, er det bedst, hvis du lukker alle andre Windows programmer.", "",
      "Klik med venstre museknap på Afbryd-knappen for at forlade dette installationsprogram. Klik på Fortsæt-knappen "
      "hvis du ønsker at fortsætte."},
     "&Fortsæt", "&Afslut", "Afbryd installationen",
     {"Installationen af Kryds og Tværs programmerne er ikke færdig. Hvis du forlader installations programmet nu, vil "
      "du ikke kunne bruge Kryds og Tværs programmerne.",
      "",
      "Hvis du forlader installationen, kan du altid vende tilbage på et senere tidspunkt, for at færdiggøre "
      "installaionen af Kryds og Tværs programmerne.",
      "",
      "Klik med venstre museknap på Fortsæt-knappen for at fortsætte installationen. Klik på Afslut-knappen for at "
      "forlade installations-programmet."}},
    {"setup", 7, "KREUZWORTRÄTSEL", 26, "SETUP", "SETUP", "&Weiter >", "&Abbrechen",
     {"", "Willkommen zur KREUZWORTRÄTSEL Installation.", "",
      "Es wird empfohlen, daß Sie alle Windows Programme beenden, bevor Sie SETUP fortsetzen. Über ALT + TAB können "
      "Sie zwischen den Programmen wechseln. Sichern Sie Ihre Arbeit und beenden Sie die geöffneten Anwendungen.",
      "", "", "",
      "Um die Installation fortzusetzen, klicken Sie auf 'Weiter'. Mit 'Abbrechen' verlassen Sie das "
      "Installationsprogramm."},
     "&Fortsetzen >", "&Abbrechen", "SETUP abbrechen",
     {"SETUP wurde nicht abgeschlossen. Wenn Sie SETUP jetzt verlassen, wird KREUZWORTRÄTSEL nicht installiert.", "",
      "Klicken Sie auf 'Abbrechen', wenn Sie das SETUP verlassen möchten.",
      "Klicken Sie auf 'Fortsetzen', wenn Sie zur Installation zurückkehren wollen."}},
    {"setup-es", 10, "CRUCIGRAMAS", 28, "Instalación", "Instalación del programa de crucigramas", "&Próximo >",
     "&Cancelar",
     {"",
      "Bien venido a las programas de Crucigrama. Con la ayuda de este programa tendrá Usted la oportunidad de "
      "instalar los programas en su ordenador.",
      "",
      "Antes de comenzar a instalar el programa deberá apagar los otros programas que se encuentren en "
      "funcionamiento.",
      "",
      "Con ayuda del botón \"Cancelar\" podrá salir sin la necesidad de instalar los programas. Pulsando el botón "
      "\"Próximo\" puede Ud.  continuar el proceso."},
     "&Reanudar", "&Salir", "Salida de la instalación",
     {"La instalación no ha sido completada. Los programas del crucigramas no serán instalados si Ud. sale de este "
      "ahora.",
      "", "Ud. tiene la posibilidad se salir y de empezar de nuevo el proceso de instalación.", "",
      "Para continuar la instalación pulse ahora \"Reanudar\". Pulse  \"Salir\" si desea parar el proceso."}},
    {"setup-en", 9, "CROSSWORD", 28, "Setup", "Installation of Crossword programs", "&Next >", "&Cancel",
     {"", "Welcome. This program will help you to install the crossword-programs on your computer.", "",
      "Before you continue please exit all other Windows programs.", "",
      "Click Cancel to quit this setup program. Click Next to continue the installation."},
     "&Resume", "E&xit Setup", "Exit Setup",
     {"Setup is not complete. If you quit this Setup program now, the crossword programs will not be installed.", "",
      "You may run the Setup program at a later time to complete the installation.", "",
      "To continue installing the program, click Resume. To quit the setup program, click Exit Setup."}},
};

// Start-up in each edition, then Escape on the welcome page and Escape in the dialog.
TEST(Frame, EveryEditionSpeaksItsLanguageAndEscapeLeaves) {
  for (const EditionTexts& t : kEditions) {
    SCOPED_TRACE(t.program);
    Session session(t.program);
    const auto result = session.run({"dump", "key Escape", "dump", "key Escape"});
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 2u) << result.errors;
    const auto& welcome = result.dumps[0];
    EXPECT_EQ(welcome["application"]["title"], t.title);
    EXPECT_TRUE(e2e::shows_page(welcome, "frmMain"));
    EXPECT_EQ(control(welcome, "frmBackground", "Panel1")["caption"], t.banner);
    EXPECT_EQ(control(welcome, "frmBackground", "Panel1")["fontSize"], t.banner_size);
    EXPECT_EQ(form(welcome, "frmBackground")["clientWidth"], 1024);
    EXPECT_EQ(form(welcome, "frmMain")["caption"], t.caption);
    EXPECT_EQ(control(welcome, "frmMain", "btnNext")["caption"], t.next);
    EXPECT_EQ(control(welcome, "frmMain", "btnCancel")["caption"], t.cancel);
    EXPECT_EQ(lines(welcome, "frmMain"), t.welcome);
    EXPECT_EQ(welcome["choices"]["GeneratorLanguage"], t.language);
    EXPECT_EQ(welcome["choices"]["DrawerLanguage"], t.language);

    const auto& dialog = result.dumps[1];
    EXPECT_EQ(dialog["active"], "frmExit");
    EXPECT_EQ(form(dialog, "frmExit")["caption"], t.exit_caption);
    EXPECT_EQ(control(dialog, "frmExit", "btnResume")["caption"], t.resume);
    EXPECT_EQ(control(dialog, "frmExit", "btnExit")["caption"], t.exit);
    EXPECT_EQ(lines(dialog, "frmExit"), t.exit_lines);
  }
}

TEST(Frame, ResumeReturnsToTheSamePageUnchanged) {
  Session session;
  const auto result = session.run({"click btnNext", "dump", "key Escape", "click btnResume", "dump",
                                   "click btnCancel", "close", "dump", "click btnCancel", "click btnExit"});
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 3u) << result.errors;
  for (const auto& dump : result.dumps) {
    EXPECT_TRUE(e2e::shows_page(dump, "frmDestination"));
    EXPECT_EQ(form(dump, "frmDestination"), form(result.dumps[0], "frmDestination"));
    EXPECT_EQ(dump["choices"], result.dumps[0]["choices"]);
  }
}

TEST(Frame, BackAndNextBetweenWelcomeAndDestinationKeepTheirValues) {
  Session session;
  const auto result = session.run({"click btnNext", "dump", "click btnBack", "dump", "click btnNext", "dump",
                                   "click btnBack", "key Escape", "key Escape"});
  EXPECT_EQ(result.exit_status, 0) << result.errors;
  ASSERT_EQ(result.dumps.size(), 3u) << result.errors;
  const auto& destination = result.dumps[0];
  EXPECT_EQ(destination["active"], "frmDestination");
  EXPECT_EQ(control(destination, "frmDestination", "lbProgramFilesDir")["caption"], "C:\\Program Files\\Rätsel Tyx");
  EXPECT_EQ(destination["choices"]["TargetBaseDir"], "C:\\Program Files\\");
  EXPECT_EQ(destination["choices"]["TargetSubDir"], "Rätsel Tyx");
  EXPECT_EQ(destination["choices"]["TargetDrive"], "C");

  EXPECT_TRUE(e2e::shows_page(result.dumps[1], "frmMain"));
  EXPECT_EQ(lines(result.dumps[1], "frmMain"), lines(result.dumps[0], "frmMain"));

  EXPECT_EQ(result.dumps[2]["active"], "frmDestination");
  EXPECT_EQ(form(result.dumps[2], "frmDestination"), form(destination, "frmDestination"));
  EXPECT_EQ(result.dumps[2]["choices"], destination["choices"]);
}

TEST(Frame, AnUnusableMachineStopsBeforeAnyWindow) {
  Session session;
  std::filesystem::remove_all(session.machine() / "dosdevices");
  const auto result = session.run({"dump"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_TRUE(result.dumps.empty());
  EXPECT_NE(result.errors.find("dosdevices"), std::string::npos) << result.errors;
}

// The screen is ours, not a window manager's: a display changes nothing a script sees.
TEST(Frame, ADisplayGivesTheSameDumpsAndPictures) {
  if (std::system("command -v xvfb-run >/dev/null 2>&1") != 0) GTEST_SKIP() << "xvfb-run is not installed";
  Session session;
  std::vector<std::string> pictures;
  auto script = [&](const std::string& tag) {
    pictures.push_back((session.machine() / (tag + ".png")).string());
    return Lines{"click btnNext", "click btnBrowse", "dump", "key Escape", "click btnNext", "click btnNext",
                 "dump", "shot " + pictures.back(), "key Escape", "key Escape"};
  };
  const auto headless = session.run(script("headless"));
  const auto displayed = session.run(script("display"), {}, true);
  EXPECT_EQ(headless.exit_status, 0) << headless.errors;
  EXPECT_EQ(displayed.exit_status, 0) << displayed.errors;
  ASSERT_EQ(headless.dumps.size(), 2u) << headless.errors;
  EXPECT_EQ(headless.dumps, displayed.dumps);
  EXPECT_EQ(testing_support::read_file(pictures[0]), testing_support::read_file(pictures[1]));
}

TEST(Frame, AnUnreadableRegistryStopsBeforeAnyWindowAndKeepsTheFile) {
  Session session;
  const auto hive = session.machine() / "system.reg";
  testing_support::write_file(hive, "not a registry file\n[Software] 1\n");
  const auto result = session.run({"dump"});
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_TRUE(result.dumps.empty());
  EXPECT_NE(result.errors.find("system.reg"), std::string::npos) << result.errors;
  EXPECT_EQ(testing_support::read_file(hive), "not a registry file\n[Software] 1\n");
}

}  // namespace
