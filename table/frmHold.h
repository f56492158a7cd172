#pragma once
// The hold-pile viewer: a small caption-less window that lists the cards hidden
// under the top of one pile, in a row of overlapping small places.
#include "engine/TableForm.h"

#include <QPoint>

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

    // A move of the mouse with these buttons held over the window drags it (1: the left button).
    void FormDrag(int button);

    // The viewer if it has been made, else null (asking does not make it).
    static FrmHold* IfCreated();

  protected:
    void Form_Load() override;
    // A close asked for by the user only hides the viewer; the program's own unload closes it.
    bool Form_QueryUnload() override;

  private:
    // The design-time look, which every load starts from.
    void Design();
    // Where a drag started: the pointer and the window's top left, screen pixels.
    QPoint dragFrom_, dragWindowFrom_;
    bool dragging_ = false;
};

// The one viewer, made on first use.
FrmHold& frmHold();

// Fills the viewer again from the pile it shows after that pile changed, and shows it;
// name is the moving seat's name ("" for the human). Nothing while it shows another seat's pile.
void HoldView_Refresh(const QString& name);
