#pragma once
// The card counter: a small tool window that shows, per suit of every pack in
// play, which cards have been dealt or turned up.
#include "engine/TableForm.h"

class FrmCounter : public platform::Form {
  public:
    FrmCounter();

    Label Label1{this, "Label1", -1};
    Label LblGrid{this, "LblGrid", -1};
    ControlArray<Image> Image1{this, "Image1"};

    // Pixels of one text line and one character of the grid's font.
    int LineHeight() const;
    int CharWidth() const;

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    // The design-time look, which every load starts from.
    void Design();
    int baseHeight_ = 0;
};

// The counter window, made on first use; referring to it does not load it.
FrmCounter& frmCounter();

// The grid background: one band per suit for the rows of two packs, with a
// faint line between the columns, width x rows of lineHeight pixels.
QImage Counter_GridPicture(int width, int lineHeight, int charWidth, qreal dpr);

// Loads the counter and fills its grid from the deck's marks.
void Counter_ShowDeck();
