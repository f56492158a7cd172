#include "media/frmSounds.h"
#include "media/MediaState.h"
#include "media/SoundChooser.h"
#include "platform/Services.h"

namespace {

const QString kSoundsOskrel = QStringLiteral("Oskrel"); // shares Juvo's sounds: never offered

SoundsForm*& SoundsInstance() {
    static SoundsForm* form = nullptr;
    return form;
}

// The row of PersonList holding a name; -1 when none does.
int PersonRow(const QString& name) {
    for (int r = 0; r <= Med.PersonCount; ++r)
        if (Med.PersonList(1, r) == name) return r;
    return -1;
}

} // namespace

SoundsForm::SoundsForm() : Form(QStringLiteral("frmSounds")) {
    if (!SoundsInstance()) SoundsInstance() = this;
    SetScaleMode(platform::vbPixels);
    lstSounds.On().Click = [this](int) { lstSounds_Click(); };
    cmdDone.On().Click = [this](int) { cmdDone_Click(); };
    CmdCancel.On().Click = [this](int) { CmdCancel_Click(); };
    SetEscapeButton(CmdCancel);
}

SoundsForm::~SoundsForm() {
    if (SoundsInstance() == this) SoundsInstance() = nullptr;
}

void SoundsForm::Form_Load() {
    SetCaption(QStringLiteral("Chat Sounds"));
    SetClientSizePx(420, 300);
    lblSounds.SetWordWrap(true);
    lblSounds.SetGeometryPx(10, 8, 400, 60);
    lstSounds.SetGeometryPx(10, 74, 180, 180);
    lblDescription.SetCaption(QStringLiteral("Description"));
    lblDescription.SetWordWrap(true);
    lblDescription.SetGeometryPx(200, 74, 210, 180);
    cmdDone.SetCaption(QStringLiteral("Update"));
    cmdDone.SetGeometryPx(220, 262, 90, 28);
    CmdCancel.SetCaption(QStringLiteral("Cancel"));
    CmdCancel.SetGeometryPx(320, 262, 90, 28);
    lblSounds.SetCaption(
        QStringLiteral("Select up to 3 personalities and their sounds will be included in the Chat "
                       "box.\r\nRemember: your opponent must have the same sounds in order to hear the "
                       "sounds you send."));
    ticked_ = 0;
    loading_ = true;
    MoveTw(OwnerLeft, OwnerTop, WidthTw(), HeightTw());
    lstSounds.Clear();
    for (int r = 1; r <= Med.PersonCount; ++r) {
        const QString name = Med.PersonList(1, r);
        if (name == kSoundsOskrel) continue;
        lstSounds.AddItem(name);
        const int row = lstSounds.ListCount() - 1;
        for (int j = 1; j <= kChatSoundPersons; ++j) {
            if (Med.ChatSoundPersons(j) != name) continue;
            if (!lstSounds.Selected(row)) {
                lstSounds.SetSelected(row, true);
                ++ticked_;
            } else {
                Med.ChatSoundPersons(j).clear(); // a duplicate
            }
        }
    }
    loading_ = false;
}

void SoundsForm::lstSounds_Click() {
    const int r = PersonRow(lstSounds.List(lstSounds.ListIndex()));
    if (r >= 0) lblDescription.SetCaption(Med.PersonList(0, r));
}

void SoundsForm::cmdDone_Click() {
    QStringList picked;
    for (int i = 0; i < lstSounds.ListCount(); ++i) {
        if (!lstSounds.Selected(i)) continue;
        // The count is checked before a fourth choice is stored.
        if (picked.size() == kChatSoundPersons) {
            platform::MsgBox(
                QStringLiteral("You have more than 3 checked and 3 is the maximum. Uncheck somebody and "
                               "then click the Update button again."),
                platform::vbInformation, QStringLiteral("3 Maximum"));
            return;
        }
        picked << lstSounds.List(i);
    }
    InstallPersonalitySounds(picked);
    Unload();
}

void SoundsForm::CmdCancel_Click() {
    Unload();
}

SoundsForm& frmSounds() {
    if (!SoundsInstance()) new SoundsForm(); // lives until the program ends
    return *SoundsInstance();
}
