#include "media/frmOptions.h"
#include "common/Shared.h"
#include "engine/TableForm.h"
#include "media/CardDeck.h"
#include "media/MediaState.h"
#include "platform/PickDialogs.h"
#include "platform/Services.h"
#include "shell/ShellState.h"
#include "table/CardArt.h"
#include "table/TableState.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int kKeyTab = 9;
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;
constexpr int kShiftCtrl = 2;
constexpr int kFontDefault = 12;
constexpr int kFontDefaultSmall = 10;
constexpr int kFontMin = 6;
constexpr int kFontMax = 36;
constexpr int kSmallLayout = 2; // layout modes from here on use small cards
constexpr int kWideScreenTwips = 15360;
constexpr quint32 kShallowCream = 0x00C0FFFF;
constexpr int kCardsWide = 13; // a face sheet's cells in a row

OptionsForm*& OptionsInstance() {
    static OptionsForm* form = nullptr;
    return form;
}

bool SmallCards() {
    return Com.LayoutMode >= kSmallLayout;
}

// One face of a style, drawn as the table would draw it.
QImage OptionsFace(int style, int card, QSize size) {
    if (style < kFirstPictureDeck)
        return cardart::NumberFace(std::clamp(style, 1, 5), (card - 1) % kCardsWide + 1, size);
    if (style == kFirstPictureDeck) return cardart::SheetFace(card, size);
    const QImage sheet = clsDLL().FaceSheet(style - kFirstPictureDeck - 1, 1.0);
    if (sheet.isNull()) return cardart::SheetFace(card, size);
    return sheet.copy(cardart::SheetCell(card)).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A place-holder as the table shows it, on the mat.
QImage OnMat(const QImage& holder) {
    QImage out(holder.size(), QImage::Format_RGB32);
    out.fill(platform::FromBGR(Com.MatColour));
    QPainter p(&out);
    p.drawImage(0, 0, holder);
    return out;
}

} // namespace

OptionsForm::OptionsForm() : Form(QStringLiteral("frmOptions")) {
    if (!OptionsInstance()) OptionsInstance() = this;
    SetScaleMode(platform::vbPixels);
    Build();
    SSTab1.On().Click = [this](int) { SSTab1_Click(); };
    CmdApply.On().Click = [this](int) { CmdApply_Click(); };
    CmdCancel.On().Click = [this](int) { CmdCancel_Click(); };
    SetEscapeButton(CmdCancel);
    cmdOK.On().Click = [this](int) { cmdOK_Click(); };
    CmdRestore.On().Click = [this](int) { CmdRestore_Click(); };
    CmdSz.On().Click = [this](int i) { CmdSz_Click(i); };
    CKFnt.On().Click = [this](int) { CKFnt_Click(); };
    Command2.On().Click = [this](int i) { Command2_Click(i); };
    picCardBack.On().Click = [this](int) { picCardBack_Click(); };
    HScrollBacks.Change = [this] { HScrollBacks_Change(); };
    FilePic.On().Click = [this](int i) { FilePic_Click(i); };
    OptSound.On().Click = [this](int i) { OptSound_Click(i); };
    OptCard.On().Click = [this](int i) { ShowDeckSamples(i); };
    OptCardSuit.On().Click = [this](int i) { ShowDeckSamples(i); };
    OptMenu.On().Click = [this](int i) {
        choices_.menuStyle = i;
        Changed();
    };
    optPlaceHolder.On().Click = [this](int i) {
        choices_.placeWood = i == 0;
        Changed();
    };
    ckIntro.On().Click = [this](int) {
        choices_.introOff = ckIntro.Value() == 1;
        Changed();
    };
    KeyDown = [this](int key, int shift) { Form_KeyDown(key, shift); };
}

OptionsForm::~OptionsForm() {
    if (OptionsInstance() == this) OptionsInstance() = nullptr;
}

void OptionsForm::Form_Load() {
    cancelled_ = false;
    backs_ = clsDLL().GetBacksQuantity();
    const int decks = clsDLL().GetDecksQuantity();
    // Picture decks beyond our own (6) come from the deck source.
    OptCardSuit.ForEach(
        [&](int i, platform::OptionButton& o) { o.SetEnabled(i <= kFirstPictureDeck + decks); });
    FilePic(kSampleWood).SetPicture(OnMat(cardart::Placeholder(CardSize(), -1)));
    FilePic(kSampleMetal).SetPicture(OnMat(cardart::Placeholder(CardSize(), 0)));
    FilePic(kSampleDefaults).SetPicture(cardart::Back(QSize(36, 48), kCreamBack));
    DisplayCardSize();
    // The choices live as long as the dialog: a page visited keeps what another page chose.
    choices_ = Prefs_Choices(backs_);
    touched_ = 0;
    SSTab1.SetCurrent(kPageCards);
    SSTab1_Click();
}

void OptionsForm::Form_Unload() {
    // Our previews never touch the table's pictures, so closing has nothing to put back.
    cancelled_ = false;
}

QSize OptionsForm::CardSize() const {
    const bool small = SmallCards() && platform::Svc().screen->WidthTwips() <= kWideScreenTwips;
    return small ? QSize(59, 80) : QSize(71, 96);
}

void OptionsForm::DisplayCardSize() {
    const QSize s = CardSize();
    for (int i : {1, 2, 4, 7, 10, 13, int(kSamplePreview)}) {
        FilePic(i).SetWidth(s.width());
        FilePic(i).SetHeight(s.height());
    }
    picCardBack(0).SetWidth(s.width());
    picCardBack(0).SetHeight(s.height());
}

void OptionsForm::Changed() {
    if (loading_) return;
    touched_ |= 1 << std::clamp(SSTab1.Current(), 0, kPrefPages - 1);
    CmdApply.SetEnabled(true);
}

void OptionsForm::SSTab1_Click() {
    const int page = std::clamp(SSTab1.Current(), 0, kPrefPages - 1);
    for (int p = 0; p < kPrefPages; ++p)
        for (platform::Control* c : pages_[p])
            c->SetVisible(false);
    for (platform::Control* c : pages_[page])
        c->SetVisible(true);
    ShowPage(page);
}

void OptionsForm::ShowPage(int page) {
    // A page shows the choices made so far, applied or not.
    loading_ = true;
    switch (page) {
    case kPageCards:
        DisplayCardSize();
        if (choices_.faceStyle >= kFirstPictureDeck && OptCardSuit.Exists(choices_.faceStyle))
            OptCardSuit(choices_.faceStyle).SetValue(true);
        else if (OptCard.Exists(choices_.faceStyle))
            OptCard(choices_.faceStyle).SetValue(true);
        ShowDeckSamples(choices_.faceStyle);
        break;
    case kPageBacks:
        HScrollBacks.SetRange(0, backs_);
        HScrollBacks.SetValue(choices_.back);
        Frame1.SetBackColor(choices_.matColour);
        HScrollBacks_Change();
        break;
    case kPageFont:
        ShowFontSamples();
        break;
    case kPageSounds:
        OptSound(choices_.soundOption).SetValue(true);
        OptMenu(choices_.menuStyle).SetValue(true);
        ckIntro.SetValue(choices_.introOff ? 1 : 0);
        optPlaceHolder(choices_.placeWood ? 0 : 1).SetValue(true);
        break;
    default:
        break;
    }
    loading_ = false;
    CmdApply.SetEnabled(touched_ != 0);
}

void OptionsForm::ShowDeckSamples(int style) {
    choices_.faceStyle = style;
    // The two groups of decks are one choice.
    if (style >= kFirstPictureDeck)
        OptCard.ForEach([](int, platform::OptionButton& o) { o.SetValue(false); });
    else
        OptCardSuit.ForEach([](int, platform::OptionButton& o) { o.SetValue(false); });
    if (style != Com.DeckStyle) Changed();
    const QSize s = CardSize();
    // Sample place and the card drawn in it.
    static constexpr int kSamples[][2] = {{1, 1}, {2, 15}, {4, 43}, {7, 46}, {10, 36}, {13, 39}};
    for (const auto& [place, card] : kSamples)
        FilePic(place).SetPicture(OptionsFace(style, card, s));
}

void OptionsForm::ShowBackSample() {
    const QSize s = CardSize();
    QImage img = choices_.back == 0 ? cardart::Back(s, choices_.backColour)
                                    : clsDLL().BackPicture(choices_.back - 1, s, 1.0);
    if (img.isNull()) img = cardart::Back(s, choices_.backColour);
    picCardBack(0).SetPicture(img);
    FilePic(kSamplePreview).SetPicture(img);
}

void OptionsForm::HScrollBacks_Change() {
    choices_.back = HScrollBacks.Value();
    const bool plain = choices_.back == 0;
    lblPlain.SetVisible(plain && SSTab1.Current() == kPageBacks);
    lblBackInfo.SetCaption(
        plain ? QStringLiteral("Plain Deck Style:\r\nPlain deck back color can be changed.")
              : QStringLiteral("Click on the scroll bar below to change the Deck back style."));
    Command2(0).SetEnabled(plain);
    ShowBackSample();
    Changed();
}

void OptionsForm::picCardBack_Click() {
    choices_.backColour = platform::Svc().screen->ColourDepth() >= 16 ? kCreamBack : kShallowCream;
    ShowBackSample();
    Changed();
}

void OptionsForm::ShowFontSamples() {
    QImage back(400, 150, QImage::Format_RGB32);
    const QImage table = HasTableForm() ? frmGrulm().Background() : QImage();
    const bool picture =
        !table.isNull() && Tbl.BackgroundIndex >= 1 && Tbl.BackgroundIndex <= Tbl.BackgroundCount;
    if (picture) {
        QPainter p(&back);
        p.drawImage(QRect(0, 0, back.width(), back.height()), table);
    } else {
        back.fill(platform::FromBGR(Com.MatColour));
    }
    picBackFnt.SetPicture(back);
    lblFontInfo.SetCaption(
        (picture ? QStringLiteral("This is how the font size and color appear on the picture background.")
                 : QStringLiteral("This is how the font size and color appear on the matt background.")) +
        QStringLiteral("\r\nUse the Up/Down arrow keys to change backgrounds."));
    Frame3.SetBackColor(choices_.backdropColour);
    CKFnt.SetValue(choices_.backdrop ? 1 : 0);
    for (int i = 0; i <= 1; ++i) {
        platform::Label& l = LblFont(i);
        l.SetFontSize(choices_.fontSize);
        l.SetForeColor(choices_.fontColour);
        l.SetBackColor(choices_.backdropColour);
        l.SetBackStyle(choices_.backdrop ? 1 : 0);
    }
}

void OptionsForm::CmdApply_Click() {
    int shown = 0;
    for (int page = 0; page < kPrefPages; ++page)
        if (touched_ & (1 << page)) shown |= Prefs_Apply(page, choices_);
    if (touched_ != 0) Prefs_ShowOnTable(shown);
    touched_ = 0;
    CmdApply.SetEnabled(false);
}

void OptionsForm::cmdOK_Click() {
    CmdApply_Click();
    for (int i : {1, 2, 4, 7, 10, 13, int(kSamplePreview)})
        FilePic(i).SetPicture(QImage());
    Unload();
}

void OptionsForm::CmdCancel_Click() {
    cancelled_ = true;
    Unload();
}

void OptionsForm::CmdRestore_Click() {
    choices_.fontSize = SmallCards() ? kFontDefaultSmall : kFontDefault;
    choices_.fontColour = 0x00FFFFFF;
    choices_.backdropColour = kGreenMat;
    ShowFontSamples();
    Changed();
}

void OptionsForm::CmdSz_Click(int i) {
    choices_.fontSize = std::clamp(choices_.fontSize + (i == 0 ? 1 : -1), kFontMin, kFontMax);
    ShowFontSamples();
    Changed();
}

void OptionsForm::CKFnt_Click() {
    choices_.backdrop = CKFnt.Value() == 1;
    ShowFontSamples();
    Changed();
}

void OptionsForm::Command2_Click(int i) {
    quint32* target[] = {&choices_.backColour, &choices_.matColour, &choices_.fontColour,
                         &choices_.backdropColour};
    if (i < 0 || i > 3) return;
    quint32 chosen = 0;
    if (!platform::Picks().PickColour(*target[i], &chosen)) return;
    *target[i] = chosen;
    if (i == 0) ShowBackSample();
    if (i == 1) Frame1.SetBackColor(chosen);
    if (i >= 2) ShowFontSamples();
    Changed();
}

void OptionsForm::FilePic_Click(int i) {
    Changed();
    if (i == kSampleWood || i == kSampleMetal) optPlaceHolder(i - kSampleWood).SetValue(true);
    if (i == kSampleDefaults) {
        choices_.backColour = Com.DeckStyle == 7 ? kSilverBack : kCreamBack;
        choices_.matColour = kGreenMat;
        choices_.fontSize = kFontDefault;
        Frame1.SetBackColor(kGreenMat);
        HScrollBacks.SetValue(std::min(1, backs_));
        ShowBackSample();
    }
    DisplayCardSize();
    if (FilePic.Exists(i) && i != kSamplePreview) FilePic(kSamplePreview).SetPicture(FilePic(i).Picture());
}

void OptionsForm::OptSound_Click(int i) {
    choices_.soundOption = i;
    if (i != Com.SoundSet) Changed();
}

void OptionsForm::Form_KeyDown(int keyCode, int shift) {
    if (keyCode == kKeyTab && (shift & kShiftCtrl)) {
        SSTab1.SetCurrent((SSTab1.Current() + 1) % kPrefPages);
    } else if ((keyCode == kKeyUp || keyCode == kKeyDown) && SSTab1.Current() == kPageFont) {
        MedHooks.Background_Cycle(keyCode);
        ShowFontSamples();
    }
}

OptionsForm& frmOptions() {
    if (!OptionsInstance()) new OptionsForm(); // lives until the program ends
    return *OptionsInstance();
}
