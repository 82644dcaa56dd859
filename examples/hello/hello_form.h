// The example form: a few plain controls, to show the framework layer working.
#pragma once

#include "platform/framework/extctrls.h"
#include "platform/framework/forms.h"
#include "platform/framework/menus.h"
#include "platform/framework/stdctrls.h"

namespace vx::hello {

class THelloForm : public TForm {
 public:
  explicit THelloForm(TComponent* owner);
  TLabel* NameLabel;
  TEdit* NameEdit;
  TListBox* Colours;
  TButton* GreetButton;
  TButton* CloseButton;
  TBevel* Line;
  TPanel* Status;
  TPopupMenu* Popup;

 private:
  void Greet();
};

}  // namespace vx::hello
