#pragma once
// The table window: every card place, pile, label and button of the game.
#include "engine/TableForm.h"

class FrmGrulm : public TableForm {
public:
    FrmGrulm();
    ~FrmGrulm() override;

    void Piles_Enable(bool value) override;
    void Avatar_Show(const QString& name) override;

    // Name of the avatar picture last shown.
    QString ShownAvatar;
};
