// The destination page in every edition: its texts, its size and the default target.
#include <gtest/gtest.h>

#include "tests/e2e/session.h"

using e2e::control;
using e2e::form;
using e2e::Lines;
using e2e::lines;
using e2e::Session;

namespace {

struct DestinationTexts {
  const char* program;
  const char* caption;
  const char* next;
  const char* cancel;
  const char* back;
  const char* browse;
  const char* group;
  Lines memo;
  const char* sub_dir;
  const char* shown;  // shortened beyond 30 characters
};

const DestinationTexts kEditions[] = {
    {"setup-da", "Udpeg plads på harddisk", "&Fortsæt >", "&Afbryd", "< &Tilbage", "Gennemse...",
     "Udpeg plads på harddisk",
     {"",
      "Installations-programmet vil lægge Kryds og Tværs programmerne ind på din computer, i det bibliotek der er "
      "angivet nedenfor.",
      "", "Hvis du er tilnreds hermed, skal du bare klikke med venstre museknap på Fortsæt-knappen.", "",
      "Hvis du ønsker at installere Kryds og Tværs programmet i et andet bibliotek, skal du klikke på Browse-knappen "
      "for at angive et nyt bibliotek."},
     "Kryds Tyx", "C:\\Program Files\\Kryds Tyx"},
    {"setup", "Platz auf der Festplatte angeben", "&Nächste >", "&Abbrechen", "< &Zurück", "B&rowse...",
     "Platz auf der Festplatte angeben",
     {"",
      "Das Installationsprogramm wird den Kreuzworträtselprogram auf Ihren Computer einlegen. In die Bibliothek die "
      "unten angegeben ist.",
      "", "Wenn es da ist, sollen Sie bloß mit der linken Maustaste auf die 'Nächste'-Taste klicken.", "",
      "Wenn Sie wünschen den Kreuzworträtselprogram in eine andere Bibliothek zu installieren, müssen Sie auf die "
      "'Browse'-Taste klicken um eine neue Bibliothek anzugeben."},
     "Rätsel Tyx", "C:\\Program Files\\Rätsel Tyx"},
    {"setup-es", "Elegir el sitio de destinación", "&Próximo >", "&Cancelar", "< &Atrás", "Explorar...",
     "Sitio de destinación.",
     {"", "El programa de instalación de el programa de Crucigramas pondrá los archivos en este directorio.", "",
      "Para instalar el programa en este directorio, pulse el botón \"Próximo\".", "",
      "Para instalar en otros directorios, pulse \"Explorar\" y elija otro directorio."},
     "Crucigrama Tyx", "C:\\Program Files\\...\\Crucigrama Tyx"},
    {"setup-en", "Choose destination location", "&Next >", "&Cancel", "< &Back", "B&rowse...",
     "Choose destination location",
     {"", "This Setup program will install the crossword program in the directory below.", "",
      "To install in this directory, click Next.", "",
      "To install the program in a different directory, click Browse and select another directory."},
     "Crossword Tyx", "C:\\Program Files\\Crossword Tyx"},
};

// The default target is the program files folder with the suite's folder of the language.
TEST(Destination, EveryEditionShowsItsTextsAndTheDefaultTarget) {
  for (const DestinationTexts& t : kEditions) {
    SCOPED_TRACE(t.program);
    Session session(t.program);
    const auto result = session.run({"click btnNext", "dump", "key Escape", "key Escape"});
    EXPECT_EQ(result.exit_status, 0) << result.errors;
    ASSERT_EQ(result.dumps.size(), 1u) << result.errors;
    const auto& dump = result.dumps[0];
    EXPECT_TRUE(e2e::shows_page(dump, "frmDestination"));
    const auto& page = form(dump, "frmDestination");
    EXPECT_EQ(page["caption"], t.caption);
    EXPECT_EQ(page["clientWidth"], 452);
    EXPECT_EQ(page["clientHeight"], 292);
    auto c = [&](const char* name) -> const e2e::json& { return control(dump, "frmDestination", name); };
    EXPECT_EQ(c("Memo1")["height"], 161);
    EXPECT_EQ(c("gbDestination")["height"], 49);
    EXPECT_EQ(c("btnNext")["caption"], t.next);
    EXPECT_EQ(c("btnCancel")["caption"], t.cancel);
    EXPECT_EQ(c("btnBack")["caption"], t.back);
    EXPECT_EQ(c("btnBrowse")["caption"], t.browse);
    EXPECT_EQ(c("gbDestination")["caption"], t.group);
    EXPECT_EQ(lines(dump, "frmDestination"), t.memo);
    EXPECT_EQ(dump["choices"]["TargetBaseDir"], "C:\\Program Files\\");
    EXPECT_EQ(dump["choices"]["TargetSubDir"], t.sub_dir);
    EXPECT_EQ(dump["choices"]["TargetDrive"], "C");
    EXPECT_EQ(c("lbProgramFilesDir")["caption"], t.shown);
    EXPECT_EQ(e2e::layout_faults(dump, "frmDestination"), Lines{});
  }
}

}  // namespace
