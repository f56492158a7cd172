#pragma once
// The hold-pile viewer: a small caption-less window that lists the cards hidden
// under the top of one pile, in a row of overlapping small places.
#include "engine/TableForm.h"

class FrmHold : public platform::Form {
  public:
    FrmHold();

    Label lblHold{this, "lblHold", -1};
    ControlArray<PictureBox> Picture8{this, "Picture8"};
    ControlArray<CommandButton> cmdExit{this, "cmdExit"};

    // Stores the window's left and top (twips) for the next time it is shown.
    void SavePosition();
    // Puts the empty picture into the ten places.
    void ClearPlaces();

    // The viewer if it has been made, else null (asking does not make it).
    static FrmHold* IfCreated();

  protected:
    void Form_Load() override;

  private:
    // The design-time look, which every load starts from.
    void Design();
};

// The one viewer, made on first use.
FrmHold& frmHold();
