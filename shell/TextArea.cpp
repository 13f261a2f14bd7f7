// Making the wizard's text areas.
#include "shell/TextArea.h"

using namespace vcl;

TMemo* MakeTextArea(TForm& form, const char* name, int left, int top, int width, int height) {
  TMemo* memo = form.Make<TMemo>(name);
  memo->SetBounds(left, top, width, height);
  memo->SetBorderStyle(bsNone);
  memo->SetColor(clBtnFace);
  memo->SetReadOnly(true);
  return memo;
}
