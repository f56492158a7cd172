// The preferences dialog's controls: captions, tips and places, page by page.
// More of OptionsForm, which frmOptions.h declares.
#include "media/frmOptions.h"

namespace {
constexpr int kPageTop = 44;
constexpr int kWidth = 660;
constexpr int kHeight = 420;
} // namespace

void OptionsForm::Build() {
    SetCaption(QStringLiteral("Preferences"));
    SetClientSizePx(kWidth, kHeight);
    SSTab1.SetGeometryPx(10, 10, kWidth - 20, 28);
    SSTab1.AddTab(QStringLiteral("Pick a Card"), QStringLiteral("Set Card Style"));
    SSTab1.AddTab(QStringLiteral("Deck Styles"), QStringLiteral("Set Deck Style"));
    SSTab1.AddTab(QStringLiteral("Font and Background"), QStringLiteral("Set Font "));
    SSTab1.AddTab(QStringLiteral("Sounds and Style"), QStringLiteral("Set card sounds"));
    BuildCards();
    BuildBacks();
    BuildFont();
    BuildSounds();
    CmdApply.SetCaption(QStringLiteral("&Apply"));
    CmdApply.SetGeometryPx(kWidth - 300, kHeight - 40, 90, 28);
    CmdCancel.SetCaption(QStringLiteral("&Cancel"));
    CmdCancel.SetGeometryPx(kWidth - 200, kHeight - 40, 90, 28);
    cmdOK.SetCaption(QStringLiteral("&OK"));
    cmdOK.SetGeometryPx(kWidth - 100, kHeight - 40, 90, 28);
}

void OptionsForm::BuildCards() {
    auto& page = pages_[kPageCards];
    lblCardInfo.SetCaption(
        QStringLiteral("Select the style of cards you would like to use below. Choose a deck with "
                       "numbers and suits or numbers only."));
    lblCardInfo.SetWordWrap(true);
    lblCardInfo.SetGeometryPx(20, kPageTop, 620, 34);
    lblNumbers.SetCaption(QStringLiteral("Numbers only card decks:"));
    lblNumbers.SetGeometryPx(20, kPageTop + 40, 170, 18);
    page = {&lblCardInfo, &lblNumbers, &lblSuits, &lblPick};
    const char* const numbers[] = {"", "Juvo", "Torvek", "Drask", "Grulm", "Vesk"};
    for (int i = 1; i <= 5; ++i) {
        platform::OptionButton& o = OptCard.Create(i);
        o.SetCaption(QString::fromLatin1(numbers[i]));
        o.SetGeometryPx(30, kPageTop + 40 + i * 22, 150, 20);
        page.push_back(&o);
    }
    lblSuits.SetCaption(QStringLiteral("Numbers and Suits card decks:"));
    lblSuits.SetGeometryPx(20, kPageTop + 180, 190, 18);
    const char* const suits[] = {"Standard", "Tile", "Bright", "Metal"};
    for (int i = 6; i <= 9; ++i) {
        platform::OptionButton& o = OptCardSuit.Create(i);
        o.SetCaption(QString::fromLatin1(suits[i - 6]));
        o.SetGeometryPx(30, kPageTop + 180 + (i - 5) * 22, 150, 20);
        page.push_back(&o);
    }
    // Six faces of the chosen style: two rows of three.
    const int samples[] = {1, 2, 4, 7, 10, 13};
    for (int k = 0; k < 6; ++k) {
        platform::PictureBox& p = FilePic.Create(samples[k]);
        p.Move(210 + (k % 3) * 80, kPageTop + 44 + (k / 3) * 106, 71, 96);
        page.push_back(&p);
    }
    lblPick.SetCaption(QStringLiteral("Pick a card"));
    lblPick.SetGeometryPx(460, kPageTop + 40, 100, 18);
    platform::PictureBox& preview = FilePic.Create(kSamplePreview);
    preview.Move(470, kPageTop + 64, 71, 96);
}

void OptionsForm::BuildBacks() {
    auto& page = pages_[kPageBacks];
    lblCurrent.SetCaption(QStringLiteral("Current Deck Selection:"));
    lblCurrent.SetGeometryPx(20, kPageTop, 200, 18);
    platform::PictureBox& back = picCardBack.Create(0);
    back.SetToolTipText(QStringLiteral("Click the scroll bar below to view more deck backs"));
    back.Move(30, kPageTop + 24, 71, 96);
    HScrollBacks.SetGeometryPx(20, kPageTop + 128, 200, 18);
    lblPlain.SetCaption(QStringLiteral("Plain Deck Style"));
    lblPlain.SetGeometryPx(120, kPageTop + 24, 150, 18);
    lblBackInfo.SetWordWrap(true);
    lblBackInfo.SetGeometryPx(120, kPageTop + 46, 160, 70);
    lblPreview.SetCaption(QStringLiteral("Current Deck Preview"));
    lblPreview.SetGeometryPx(440, kPageTop, 160, 18);
    const char* const colours[] = {"Deck Color", "Mat Color", "Font Color", "Mat Color"};
    for (int i = 0; i <= 3; ++i)
        Command2.Create(i).SetCaption(QString::fromLatin1(colours[i]));
    Command2(0).SetToolTipText(QStringLiteral("Click on the SM card to reset default card back color"));
    Command2(0).SetGeometryPx(20, kPageTop + 160, 100, 28);
    Command2(1).SetGeometryPx(130, kPageTop + 160, 100, 28);
    Frame1.SetGeometryPx(240, kPageTop + 160, 60, 28);
    Frame1.SetBorderStyle(1);
    lblReset.SetCaption(QStringLiteral("Reset defaults:"));
    lblReset.SetToolTipText(QStringLiteral("Click here to restore default deck and mat color"));
    lblReset.SetGeometryPx(20, kPageTop + 210, 110, 18);
    platform::PictureBox& defaults = FilePic.Create(kSampleDefaults);
    defaults.SetToolTipText(lblReset.ToolTipText());
    defaults.Move(130, kPageTop + 206, 36, 48);
    lblDesigner.SetCaption(QStringLiteral("Designer"));
    lblDesigner.SetGeometryPx(440, kPageTop + 170, 160, 18);
    page = {&lblCurrent,
            &back,
            &HScrollBacks,
            &lblPlain,
            &lblBackInfo,
            &lblPreview,
            &Command2(0),
            &Command2(1),
            &Frame1,
            &lblReset,
            &defaults,
            &lblDesigner,
            &FilePic(kSamplePreview)};
    pages_[kPageCards].push_back(&FilePic(kSamplePreview));
}

void OptionsForm::BuildFont() {
    auto& page = pages_[kPageFont];
    picBackFnt.SetGeometryPx(20, kPageTop, 400, 150);
    for (int i = 0; i <= 1; ++i) {
        platform::Label& l = LblFont.Create(i);
        l.SetCaption(i == 0 ? QStringLiteral("Grulm: Is that the best you can do?")
                            : QStringLiteral("Torvek: I've seen better plays from a troll."));
        l.SetGeometryPx(30, kPageTop + 30 + i * 60, 380, 40);
        l.SetWordWrap(true);
        page.push_back(&l);
    }
    lblArea.SetCaption(QStringLiteral("Grulmful Comments Area"));
    lblArea.SetGeometryPx(20, kPageTop + 156, 200, 18);
    lblFontInfo.SetWordWrap(true);
    lblFontInfo.SetGeometryPx(20, kPageTop + 180, 400, 40);
    Command2(2).SetGeometryPx(440, kPageTop, 100, 28);
    Command2(3).SetGeometryPx(440, kPageTop + 36, 100, 28);
    Frame3.SetCaption(QStringLiteral("Use Font Backdrop"));
    Frame3.SetGeometryPx(440, kPageTop + 76, 190, 50);
    Frame3.SetBorderStyle(1);
    CKFnt.SetGeometryPx(450, kPageTop + 100, 20, 20);
    CmdRestore.SetCaption(QStringLiteral("Default"));
    CmdRestore.SetGeometryPx(440, kPageTop + 136, 100, 28);
    const char* const sizes[] = {"+size", "-size"};
    const char* const tips[] = {"One pill makes you larger", "and one pill makes you small"};
    for (int i = 0; i <= 1; ++i) {
        platform::CommandButton& b = CmdSz.Create(i);
        b.SetCaption(QString::fromLatin1(sizes[i]));
        b.SetToolTipText(QString::fromLatin1(tips[i]));
        b.SetGeometryPx(440 + i * 100, kPageTop + 172, 90, 28);
        page.push_back(&b);
    }
    page.insert(page.end(), {&picBackFnt, &lblArea, &lblFontInfo, &Command2(2), &Command2(3), &Frame3, &CKFnt,
                             &CmdRestore});
}

void OptionsForm::BuildSounds() {
    auto& page = pages_[kPageSounds];
    ckIntro.SetCaption(QStringLiteral("No game Intro Music"));
    ckIntro.SetGeometryPx(20, kPageTop, 250, 22);
    lblPlaces.SetCaption(QStringLiteral("Card Place Holder Styles"));
    lblPlaces.SetGeometryPx(20, kPageTop + 34, 200, 18);
    page = {&ckIntro, &lblPlaces, &lblSounds, &lblMenus};
    const char* const looks[] = {"Wood", "Metallic"};
    for (int i = 0; i <= 1; ++i) {
        platform::OptionButton& o = optPlaceHolder.Create(i);
        o.SetCaption(QString::fromLatin1(looks[i]));
        o.SetGeometryPx(30 + i * 110, kPageTop + 56, 100, 20);
        platform::PictureBox& p = FilePic.Create(kSampleWood + i);
        p.Move(30 + i * 110, kPageTop + 80, 71, 96);
        page.insert(page.end(), {&o, &p});
    }
    lblSounds.SetCaption(QStringLiteral("Card Sound Effects"));
    lblSounds.SetGeometryPx(320, kPageTop + 34, 200, 18);
    const char* const sounds[] = {" Wood", " Metallic", "No game sounds"};
    for (int i = kSoundWood; i <= kSoundNone; ++i) {
        platform::OptionButton& o = OptSound.Create(i);
        o.SetCaption(QString::fromLatin1(sounds[i]));
        o.SetGeometryPx(330, kPageTop + 56 + i * 22, 200, 20);
        page.push_back(&o);
    }
    lblMenus.SetCaption(QStringLiteral("Drop Down Menu Style"));
    lblMenus.SetGeometryPx(320, kPageTop + 140, 200, 18);
    for (int i = 0; i <= 1; ++i) {
        platform::OptionButton& o = OptMenu.Create(i);
        o.SetCaption(QString::fromLatin1(looks[i]));
        o.SetGeometryPx(330 + i * 110, kPageTop + 162, 100, 20);
        page.push_back(&o);
    }
}
