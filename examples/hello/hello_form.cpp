#include "examples/hello/hello_form.h"

namespace vx::hello {

THelloForm::THelloForm(TComponent* owner) : TForm(owner) {
  SetCaption("Hello, framework");
  SetBounds(60, 40, 360, 270);
  SetPosition(poDesigned);
  Font().SetName("Tahoma");
  Font().SetHeight(-12);

  Status = new TPanel(this);
  Status->SetParent(this);
  Status->SetHeight(24);
  Status->SetAlign(alBottom);
  Status->SetBevelOuter(bvLowered);
  Status->SetCaption("Type a name and pick a colour");

  NameLabel = new TLabel(this);
  NameLabel->SetParent(this);
  NameLabel->SetBounds(12, 14, 60, 16);
  NameLabel->SetCaption("&Name:");

  NameEdit = new TEdit(this);
  NameEdit->SetParent(this);
  NameEdit->SetBounds(70, 10, 180, 22);
  NameEdit->SetText("World");
  NameLabel->SetFocusControl(NameEdit);

  Line = new TBevel(this);
  Line->SetParent(this);
  Line->SetShape(bsTopLine);
  Line->SetBounds(12, 42, 320, 2);

  Colours = new TListBox(this);
  Colours->SetParent(this);
  Colours->SetBounds(12, 52, 238, 150);
  for (const char* c : {"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow", "Black", "White", "Orange",
                        "Purple", "Silver", "Teal"})
    Colours->Items().Add(c);
  Colours->SetItemIndex(2);
  Colours->OnClick = [this](TObject*) { Greet(); };

  GreetButton = new TButton(this);
  GreetButton->SetParent(this);
  GreetButton->SetBounds(262, 10, 80, 25);
  GreetButton->SetCaption("&Greet");
  GreetButton->SetDefault(true);
  GreetButton->OnClick = [this](TObject*) { Greet(); };

  CloseButton = new TButton(this);
  CloseButton->SetParent(this);
  CloseButton->SetBounds(262, 42, 80, 25);
  CloseButton->SetCaption("&Close");
  CloseButton->SetCancel(true);
  CloseButton->OnClick = [this](TObject*) { Close(); };

  Popup = new TPopupMenu(this);
  for (const char* c : {"&Greet", "-", "&Close"}) {
    auto* it = new TMenuItem(this);
    it->SetCaption(c);
    Popup->Items()->Add(it);
  }
  Popup->Items()->Items(0)->OnClick = [this](TObject*) { Greet(); };
  Popup->Items()->Items(2)->OnClick = [this](TObject*) { Close(); };
  SetPopupMenu(Popup);

  SetActiveControl(NameEdit);
}

void THelloForm::Greet() {
  std::string colour = Colours->ItemIndex() >= 0 ? Colours->Items().Get(Colours->ItemIndex()) : "no colour";
  Status->SetCaption("Hello, " + NameEdit->Text() + " in " + colour + "!");
}

}  // namespace vx::hello
