// The shared message boxes in every language and the German yes/no dialog, shown by a
// running application and read back from its dump.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "platform/vcl/desktop.h"
#include "platform/vcl/vcl.h"
#include "services/CommonUnit.h"
#include "shell/DDlgUnit.h"
#include "tests/support/test_edition.h"

using namespace vcl;
using nlohmann::json;

namespace {

class Messages : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    detail::reset_application();
    Application->CreateForm(main);
    Application->CreateForm(frmGermanDlg);
  }
  void TearDown() override { detail::reset_application(); }

  // Runs `body` on the main form's first activation, answering each box with `answers`
  // and keeping the open box of each from the dump.
  std::vector<json> run(std::function<void()> body, const std::vector<std::string>& answers) {
    std::vector<json> boxes;
    main->OnActivate = [body, once = false](TObject*) mutable {
      if (once) return;
      once = true;
      body();
      Application->Terminate();
    };
    for (const std::string& answer : answers) {
      detail::desktop().EnqueueProbe([&boxes] {
        const json dump = json::parse(detail::desktop().DumpJson());
        for (const json& f : dump["forms"])
          if (f["name"] == "MessageBox" || (f["name"] == "frmGermanDlg" && f["visible"] == true)) boxes.push_back(f);
      });
      detail::desktop().Enqueue(answer);
    }
    Application->Run();
    return boxes;
  }

  TForm* main = nullptr;
};

TEST_F(Messages, EveryLanguageHasItsTexts) {
  struct Row { int language; const char* caption; const char* text; };
  const Row copy_error[] = {
      {6, "Advarsel", "Installationen må desværre afbrydes, da det ikke er muligt at kopiere fra D:\\A.DAT til C:\\Tyx\\A.DAT."},
      {7, "Warnung", "Die Installation muß leider abgebrochen werden, da ein Kopierfehler aufgetreten ist."},
      {10, "Alerta", "El programa de instalación ha sido interrumpido. Es imposible copiar de D:\\A.DAT para C:\\Tyx\\A.DAT."},
      {9, "Warning", "Setup has to stop. Unfortunately it is not possible to copy from D:\\A.DAT to C:\\Tyx\\A.DAT."},
      {8, "Warning", "Setup has to stop. Unfortunately it is not possible to copy from D:\\A.DAT to C:\\Tyx\\A.DAT."},
  };
  const Row no_program[] = {
      {6, "Kryds og Tværs ", "Du skal vælge mindst et program, som du vil installere inden du kan gå videre."},
      {7, "KREUZWORTRÄTSEL ", "Sie müssen mindestens ein Programm oder mehr auswählen, um die Installation fortzuführen."},
      {10, "Crucigramas ", "Ud. deberá elegir uno o varios programas para la instalación antes de continuar."},
      {29, "Crossword ", "You have to choose to install one or more programs, before you can continue."},
  };
  const Row no_space[] = {
      {6, "Kryds og Tværs ", "Der er ikke nok plads på det angivne drev, til at installere de valgte programmer.\n\nVælg derfor "
                         "kompakt installation, eller angiv et drev med mere fri plads."},
      {7, "KREUZWORTRÄTSEL", "Es gibt nicht genügend Speicherplatz auf Ihrer Festplatte. Wählen Sie deshalb die kompakte "
                          "Installation oder richten Sie auf Ihrer Festplatte mehr Speicherkapazität ein."},
      {10, "Crucigramas", "No existe el espacio suficiente en el disco duro para los programas. Utilice la instalación "
                          "compacto, o seleccione otro disco duro con mayor espacio."},
      {9, "CROSSWORD", "There is not enough space on the selected drive to install the programs. Use compact installation "
                       "instead, or select another drive with more space."},
  };
  struct Case { const Row* rows; std::size_t count; std::function<void()> show; };
  const Case cases[] = {
      {copy_error, std::size(copy_error), [] { ShowCopyErrorMessage("D:\\A.DAT", "C:\\Tyx\\A.DAT"); }},
      {no_program, std::size(no_program), [] { ShowNoProgramMessage(); }},
      {no_space, std::size(no_space), [] { ShowNotEnoughSpaceMessage(); }},
  };
  for (const Case& c : cases) {
    for (std::size_t i = 0; i < c.count; ++i) {
      const Row& row = c.rows[i];
      testing_support::ScopedSetupLanguage language(row.language);
      TearDown();
      SetUp();
      const auto boxes = run(c.show, {"click OK"});
      ASSERT_EQ(boxes.size(), 1u) << row.text;
      EXPECT_EQ(boxes[0]["caption"], row.caption);
      EXPECT_EQ(boxes[0]["text"], row.text);
    }
  }
}

TEST_F(Messages, CopyErrorsShowLongPathsWhole) {
  testing_support::ScopedSetupLanguage english(9);
  const std::string source = "D:\\" + std::string(300, 's') + "\\A.DAT";
  const std::string target = "C:\\" + std::string(300, 't') + "\\A.DAT";
  const auto boxes = run([&] { ShowCopyErrorMessage(source, target); }, {"click OK"});
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0]["text"], "Setup has to stop. Unfortunately it is not possible to copy from " + source + " to " + target + ".");
}

TEST_F(Messages, GermanDialogShowsOnlyTheLatestQuestionAndOnlyJaSaysYes) {
  std::vector<int> answers;
  const auto dialogs = run(
      [&] {
        answers.push_back(AskGermanYesNo("Erste Frage?"));
        answers.push_back(AskGermanYesNo("Zweite Frage?"));
        answers.push_back(AskGermanYesNo("Dritte Frage?"));
      },
      {"click OKBtn", "key Escape", "click CancelBtn"});
  EXPECT_EQ(answers, (std::vector<int>{6, 7, 7}));
  ASSERT_EQ(dialogs.size(), 3u);
  EXPECT_EQ(dialogs[0]["caption"], "Bestätigung");
  for (std::size_t i = 0; i < dialogs.size(); ++i) {
    const char* questions[] = {"Erste Frage?", "Zweite Frage?", "Dritte Frage?"};
    for (const json& c : dialogs[i]["controls"]) {
      if (c["name"] == "Memo1") {
        EXPECT_EQ(c["lines"], json::array({questions[i]}));
      }
    }
  }
}

}  // namespace
