// The setup language's messages and questions.
#include "services/CommonUnit.h"

#include "platform/vcl/forms.h"
#include "shell/DDlgUnit.h"

using namespace rtl::literals;

int StoredSetupLanguage() { return ByLanguage(6, 7, 10, 9); }

void ShowNoProgramMessage() {
  vcl::Application->MessageBox(
      ByLanguage("Du skal vælge mindst et program, som du vil installere inden du kan gå videre."_a,
                 "Sie müssen mindestens ein Programm oder mehr auswählen, um die Installation fortzuführen."_a,
                 "Ud. deberá elegir uno o varios programas para la instalación antes de continuar."_a,
                 "You have to choose to install one or more programs, before you can continue."_a),
      ByLanguage("Kryds og Tværs "_a, "KREUZWORTRÄTSEL "_a, "Crucigramas "_a, "Crossword "_a), 0);
}

void ShowNotEnoughSpaceMessage() {
  vcl::Application->MessageBox(
      ByLanguage("Der er ikke nok plads på det angivne drev, til at installere de valgte programmer.\n\n"
                 "Vælg derfor kompakt installation, eller angiv et drev med mere fri plads."_a,
                 "Es gibt nicht genügend Speicherplatz auf Ihrer Festplatte. Wählen Sie deshalb die kompakte "
                 "Installation oder richten Sie auf Ihrer Festplatte mehr Speicherkapazität ein."_a,
                 "No existe el espacio suficiente en el disco duro para los programas. Utilice la instalación "
                 "compacto, o seleccione otro disco duro con mayor espacio."_a,
                 "There is not enough space on the selected drive to install the programs. Use compact "
                 "installation instead, or select another drive with more space."_a),
      ByLanguage("Kryds og Tværs "_a, "KREUZWORTRÄTSEL"_a, "Crucigramas"_a, "CROSSWORD"_a), 0);
}

// The message is built without fixed buffers, so long paths are shown whole rather than
// overrunning a buffer.
void ShowCopyErrorMessage(const AnsiString& source, const AnsiString& target) {
  AnsiString message = ByLanguage(
      "Installationen må desværre afbrydes, da det ikke er muligt at kopiere fra "_a,
      "Die Installation muß leider abgebrochen werden, da ein Kopierfehler aufgetreten ist."_a,
      "El programa de instalación ha sido interrumpido. Es imposible copiar de "_a,
      "Setup has to stop. Unfortunately it is not possible to copy from "_a);
  if (SetupLanguage() != 7)
    message += source + ByLanguage(" til "_a, ""_a, " para "_a, " to "_a) + target + ".";
  vcl::Application->MessageBox(message, ByLanguage("Advarsel"_a, "Warnung"_a, "Alerta"_a, "Warning"_a), 0);
}

AnsiString GetEnoughWord() { return ByLanguage("Rigeligt"_a, "Genug"_a, "Suficiente"_a, "Enough"_a); }

int AskGermanYesNo(const AnsiString& question) {
  frmGermanDlg->Answer = 7;
  frmGermanDlg->Memo1->Lines->Clear();
  frmGermanDlg->Memo1->Lines->Add(question);
  frmGermanDlg->ShowModal();
  return frmGermanDlg->Answer;
}
