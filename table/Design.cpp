#include "table/Design.h"
#include "engine/TableCodes.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace design {

namespace {

const QString kYourHold = QStringLiteral("Your HOLD piles -right click to see hidden cards");
const QString kGrulmHold = QStringLiteral("Grulm's HOLD piles -right click to see hidden cards");
const QString kCenterTip = QStringLiteral("Play to the CENTER piles");
const QString kGrulmCards = QStringLiteral("Grulm's cards");
constexpr quint32 kDeckBlue = 0x00800000; // the default deck colour
constexpr quint32 kBlack = 0x00000000;

void AddFramesAndStacks(std::vector<Entry>& t) {
    const double W = kLargeCard.w, H = kLargeCard.h;
    // clang-format off
    t.push_back({.name = "imgCenter", .kind = Kind::Image, .left = 18, .top = 186, .width = kCenterFrameH.w,
                 .height = kCenterFrameH.h});
    t.push_back({.name = "Label3", .kind = Kind::Label, .first = 0, .last = 0, .left = 295, .top = 265,
                 .width = 324, .height = 112, .tooltip = kYourHold, .border = 1, .backStyle = 0});
    t.push_back({.name = "Label3", .kind = Kind::Label, .first = 1, .last = 1, .left = 295, .top = 120,
                 .width = 324, .height = 112, .tooltip = kGrulmHold, .border = 1, .backStyle = 0});
    t.push_back({.name = "lblHoldCard", .kind = Kind::Label, .first = 1, .last = 4, .left = 299, .top = 126,
                 .width = W + 2, .height = H + 3, .visible = true, .border = 1, .backStyle = 0, .stepX = 80});
    t.push_back({.name = "lblHoldCard", .kind = Kind::Label, .first = 5, .last = 8, .left = 299, .top = 271,
                 .width = W + 2, .height = H + 3, .visible = false, .border = 1, .backStyle = 0, .stepX = 80});
    t.push_back({.name = "Label1", .kind = Kind::Label, .left = 679, .top = 165, .width = W + 10,
                 .height = H + 10, .border = 1, .backStyle = 0});
    t.push_back({.name = "lblHighlight", .kind = Kind::Label, .width = W + 10, .height = H + 10,
                 .visible = false, .back = kYellow});
    t.push_back({.name = "StackHold", .kind = Kind::Shape, .first = 0, .last = 8, .width = W, .height = H,
                 .visible = false, .back = kDeckBlue});
    t.push_back({.name = "Stack", .kind = Kind::Picture, .first = 0, .last = 50, .width = W, .height = H,
                 .visible = false, .back = kDeckBlue, .border = 1});
    t.push_back({.name = "ImgHold", .kind = Kind::Image, .left = 74.25, .top = 392, .width = W, .height = H,
                 .visible = false});
    // clang-format on
}

void AddCardPlaces(std::vector<Entry>& t) {
    const double W = kLargeCard.w, H = kLargeCard.h;
    // clang-format off
    t.push_back({.name = "PicCenter", .kind = Kind::Picture, .first = 0, .last = 0, .left = 684, .top = 170,
                 .width = W, .height = H, .tooltip = QStringLiteral("STOCK"), .back = kDeckBlue, .border = 1});
    t.push_back({.name = "PicCenter", .kind = Kind::Picture, .first = 1, .last = 3, .left = 33, .top = 202,
                 .width = W, .height = H, .tooltip = kCenterTip, .back = kCenterEmpty, .border = 1, .stepX = 80});
    t.push_back({.name = "Picture3", .kind = Kind::Picture, .first = 0, .last = 1, .width = kSmallCard.w,
                 .height = kSmallCard.h, .visible = false, .back = kDeckBlue});
    t.push_back({.name = "Picture2", .kind = Kind::Picture, .first = 0, .last = 1, .width = kSmallCard.w,
                 .height = kSmallCard.h, .visible = false, .back = kDeckBlue});
    t.push_back({.name = "Picture1", .kind = Kind::Picture, .first = 0, .last = 0, .width = W, .height = H,
                 .visible = false, .back = kDeckBlue});
    t.push_back({.name = "Picture1", .kind = Kind::Picture, .first = 1, .last = 1, .left = 151, .top = 6,
                 .width = W, .height = H, .tooltip = kGrulmCards, .back = kDeckBlue});
    t.push_back({.name = "Picture1", .kind = Kind::Picture, .first = 2, .last = 6, .left = 240, .top = 6,
                 .width = W, .height = H, .visible = false, .tooltip = kGrulmCards, .back = kDeckBlue,
                 .stepX = 80});
    t.push_back({.name = "Picture1", .kind = Kind::Picture, .first = 7, .last = 10, .left = 300, .top = 128,
                 .width = W, .height = H, .tooltip = kGrulmCards, .back = kDeckBlue, .border = 1, .stepX = 80});
    t.push_back({.name = "Picture7", .kind = Kind::Picture, .first = 0, .last = 0, .width = W, .height = H,
                 .visible = false, .back = kDeckBlue});
    t.push_back({.name = "Picture7", .kind = Kind::Picture, .first = 1, .last = 1, .left = 77.25, .top = 392,
                 .width = W, .height = H, .back = kDeckBlue});
    t.push_back({.name = "Picture7", .kind = Kind::Picture, .first = 2, .last = 6, .left = 166, .top = 392,
                 .width = W, .height = H, .visible = false, .back = kDeckBlue, .stepX = 80});
    t.push_back({.name = "Picture7", .kind = Kind::Picture, .first = 7, .last = 10, .left = 300, .top = 273,
                 .width = W, .height = H, .back = kDeckBlue, .border = 1, .stepX = 80});
    // clang-format on
}

void AddLabels(std::vector<Entry>& t) {
    // clang-format off
    t.push_back({.name = "LblWild", .kind = Kind::Label, .first = 1, .last = 3, .left = 56.5, .top = 170,
                 .width = kWildLabel.w, .height = kWildLabel.h, .visible = false, .back = kPaleYellow,
                 .border = 1, .align = 2, .fontSize = 9, .bold = true, .stepX = 80});
    t.push_back({.name = "Label9", .kind = Kind::Label, .first = kLblNotice, .last = kLblNotice,
                 .left = 113, .top = 327, .width = 150, .height = 2 * kLabelLine, .fore = kWhite,
                 .backStyle = 0});
    t.push_back({.name = "Label9", .kind = Kind::Label, .first = kLblMessage, .last = kLblMessage,
                 .left = 6, .top = 321, .width = 260, .height = 26, .fore = kPaleYellow, .backStyle = 0,
                 .wrap = true, .bold = true});
    t.push_back({.name = "Label9", .kind = Kind::Label, .first = kLblComment, .last = kLblComment,
                 .left = 20, .top = 117, .width = 258, .height = 80, .fore = kLightYellow, .backStyle = 0,
                 .wrap = true, .fontSize = 9});
    t.push_back({.name = "Label9", .kind = Kind::Label, .first = kLblHumanName, .last = kLblHumanName,
                 .left = 77.25, .top = 494, .width = kNameLabel.w, .height = kNameLabel.h, .fore = kWhite,
                 .backStyle = 0, .bold = true});
    t.push_back({.name = "Label9", .kind = Kind::Label, .first = kLblSeat2Name, .last = kLblSeat2Name,
                 .left = 94, .top = 102, .width = kNameLabel.w, .height = kNameLabel.h, .fore = kWhite,
                 .backStyle = 0, .bold = true});
    t.push_back({.name = "LabelPeek", .kind = Kind::Label, .left = 557, .top = 392, .width = 120, .height = 16,
                 .visible = false, .fore = kYellow, .backStyle = 0, .bold = true});
    // clang-format on
}

void AddButtonsAndMarkers(std::vector<Entry>& t) {
    // clang-format off
    t.push_back({.name = "cmdDeal", .kind = Kind::Button, .left = 193, .top = 352, .width = kDealButton.w,
                 .height = kDealButton.h, .visible = false, .caption = QStringLiteral("DEAL"), .bold = true});
    t.push_back({.name = "ImgTurn2", .kind = Kind::Image, .left = 703.5, .top = 134, .width = kTurnMarker.w,
                 .height = kTurnMarker.h, .visible = false,
                 .tooltip = QStringLiteral("It's your opponent's turn.")});
    t.push_back({.name = "ImgTurn1", .kind = Kind::Image, .left = 703.5, .top = 278, .width = kTurnMarker.w,
                 .height = kTurnMarker.h, .visible = false, .tooltip = QStringLiteral("It's your turn!")});
    t.push_back({.name = "ImgAvatar", .kind = Kind::Image, .left = 660, .top = 0, .width = kAvatar.w,
                 .height = kAvatar.h, .stretch = true});
    t.push_back({.name = "imgIcon", .kind = Kind::Image, .left = kMenuIcon.w, .top = 85, .width = kEmoteIcon.w,
                 .height = kEmoteIcon.h, .visible = false, .stretch = true});
    // Stretched: the small display scales the icon's box, and the picture goes with it.
    t.push_back({.name = "imgMenu", .kind = Kind::Image, .width = kMenuIcon.w, .height = kMenuIcon.h,
                 .stretch = true});
    t.push_back({.name = "imgTip", .kind = Kind::Image, .width = kTipArrow.w, .height = kTipArrow.h,
                 .visible = false});
    t.push_back({.name = "imgTipUp", .kind = Kind::Image, .width = kTipArrow.w, .height = kTipArrow.h,
                 .visible = false});
    t.push_back({.name = "StatusMsg", .kind = Kind::Label, .left = 150, .top = 240, .width = 500, .height = 40,
                 .visible = false, .back = kLightYellow, .border = 1, .align = 2, .wrap = true, .fontSize = 10,
                 .bold = true});
    t.push_back({.name = "picPanel", .kind = Kind::Picture, .width = 660, .height = 64, .visible = false,
                 .back = kPanelGrey});
    t.push_back({.name = "lblLevel", .kind = Kind::Label, .left = 555, .top = 44, .width = 100, .height = 14,
                 .visible = false, .fore = kBlack, .backStyle = 0, .align = 1});
    t.push_back({.name = "StatusBar1", .kind = Kind::Bar, .top = kClient.h - 20, .width = kClient.w,
                 .height = 20});
    // clang-format on
}

std::vector<Entry> MakeTable() {
    // Positions are those of the two-player table with three piles on an
    // 800-pixel screen, so the window looks right even before the first layout.
    std::vector<Entry> t;
    AddFramesAndStacks(t);
    AddCardPlaces(t);
    AddLabels(t);
    AddButtonsAndMarkers(t);
    return t;
}

QImage Canvas(Size s) {
    qreal dpr = 1.0;
    if (auto* scr = QGuiApplication::primaryScreen()) dpr = scr->devicePixelRatio();
    QImage img(static_cast<int>(s.w * dpr), static_cast<int>(s.h * dpr), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

// A fat arrow pointing up or down, filling the marker's box.
QImage Arrow(Size s, bool up, QColor fill) {
    QImage img = Canvas(s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double w = s.w, h = s.h;
    QPainterPath path;
    if (up) {
        path.moveTo(w / 2, 1);
        path.lineTo(w - 2, h / 2);
        path.lineTo(w * 0.68, h / 2);
        path.lineTo(w * 0.68, h - 1);
        path.lineTo(w * 0.32, h - 1);
        path.lineTo(w * 0.32, h / 2);
        path.lineTo(2, h / 2);
    } else {
        path.moveTo(w / 2, h - 1);
        path.lineTo(w - 2, h / 2);
        path.lineTo(w * 0.68, h / 2);
        path.lineTo(w * 0.68, 1);
        path.lineTo(w * 0.32, 1);
        path.lineTo(w * 0.32, h / 2);
        path.lineTo(2, h / 2);
    }
    path.closeSubpath();
    p.setPen(QPen(QColor(40, 30, 0), 1.2));
    p.setBrush(fill);
    p.drawPath(path);
    return img;
}

QImage MenuIcon() {
    QImage img = Canvas(kMenuIcon);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 40, 20), 1));
    p.setBrush(QColor(235, 225, 170));
    p.drawRoundedRect(QRectF(0.5, 0.5, kMenuIcon.w - 1, kMenuIcon.h - 1), 3, 3);
    p.setPen(QPen(QColor(40, 60, 40), 2, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const double y = 5 + i * 4;
        p.drawLine(QPointF(4, y), QPointF(kMenuIcon.w - 4, y));
    }
    return img;
}

ControlArray<PictureBox>* PictureArray(TableForm& f, const QString& n) {
    if (n == "Picture7") return &f.Picture7;
    if (n == "Picture1") return &f.Picture1;
    if (n == "Picture2") return &f.Picture2;
    if (n == "Picture3") return &f.Picture3;
    if (n == "PicCenter") return &f.PicCenter;
    if (n == "Stack") return &f.Stack;
    return nullptr;
}

ControlArray<Label>* LabelArray(TableForm& f, const QString& n) {
    if (n == "Label3") return &f.Label3;
    if (n == "Label9") return &f.Label9;
    if (n == "LblWild") return &f.LblWild;
    if (n == "lblHoldCard") return &f.lblHoldCard;
    return nullptr;
}

platform::Control* Single(TableForm& f, const QString& n) {
    platform::Control* all[] = {&f.Label1,    &f.lblHighlight, &f.lblLevel,  &f.ImgTurn1, &f.ImgTurn2,
                                &f.imgCenter, &f.ImgHold,      &f.ImgAvatar, &f.imgTip,   &f.imgTipUp,
                                &f.imgMenu,   &f.imgIcon,      &f.LabelPeek, &f.picPanel, &f.StatusMsg,
                                &f.cmdDeal,   &f.StatusBar1};
    for (auto* c : all)
        if (c->Name() == n) return c;
    return nullptr;
}

void ApplyLook(platform::Control& c, const Entry& e, int index) {
    c.SetGeometryPx(e.left + (e.array() ? (index - e.first) * e.stepX : 0), e.top, e.width, e.height);
    QFont font(QString::fromLatin1(kFontFamily));
    font.setPointSizeF(e.fontSize);
    font.setBold(e.bold);
    c.SetFont(font);
    c.SetToolTipText(e.tooltip);
    switch (e.kind) {
    case Kind::Picture:
        c.SetBackColor(e.back);
        c.SetBorderStyle(e.border);
        break;
    case Kind::Image:
        if (auto* img = dynamic_cast<Image*>(&c)) img->SetStretch(e.stretch);
        break;
    case Kind::Label:
        if (auto* l = dynamic_cast<Label*>(&c)) {
            l->SetBackStyle(e.backStyle);
            l->SetAlignment(e.align);
            l->SetWordWrap(e.wrap);
            // The table's labels show names and comments the players write; none has an access key.
            l->SetUseMnemonic(false);
        }
        c.SetBackColor(e.back);
        c.SetForeColor(e.fore);
        c.SetBorderStyle(e.border);
        c.SetCaption(e.caption);
        break;
    case Kind::Shape:
        if (auto* s = dynamic_cast<Shape*>(&c)) {
            s->SetBorderColor(kBlack);
            s->SetBorderWidth(1);
            s->SetFilled(true, e.back);
            s->SetKind(4);
        }
        break;
    case Kind::Button:
        c.SetCaption(e.caption);
        break;
    case Kind::Bar:
        break;
    }
    c.SetVisible(e.visible);
    // The table order is the stacking order: each control goes above those before it.
    c.ZOrder(0);
}

} // namespace

const std::vector<Entry>& Table() {
    static const std::vector<Entry> table = MakeTable();
    return table;
}

const Entry* Find(const QString& name, int index) {
    // The entries of each name in table order: the layout looks controls up by name all the time.
    static const QHash<QString, std::vector<const Entry*>> byName = [] {
        QHash<QString, std::vector<const Entry*>> out;
        for (const Entry& e : Table())
            out[QString::fromLatin1(e.name)].push_back(&e);
        return out;
    }();
    const auto named = byName.constFind(name);
    if (named == byName.cend()) return nullptr;
    for (const Entry* e : *named)
        if (!e->array() || (index >= e->first && index <= e->last)) return e;
    return nullptr;
}

} // namespace design

void Design_ForEachControl(TableForm& f, const std::function<void(platform::Control&)>& fn) {
    auto each = [&](auto& arr) { arr.ForEach([&](int, platform::Control& c) { fn(c); }); };
    each(f.Picture7);
    each(f.Picture1);
    each(f.Picture2);
    each(f.Picture3);
    each(f.PicCenter);
    each(f.Stack);
    each(f.StackHold);
    each(f.Label3);
    each(f.Label9);
    each(f.LblWild);
    each(f.lblHoldCard);
    platform::Control* singles[] = {&f.Label1,    &f.lblHighlight, &f.lblLevel,  &f.ImgTurn1, &f.ImgTurn2,
                                    &f.imgCenter, &f.ImgHold,      &f.ImgAvatar, &f.imgTip,   &f.imgTipUp,
                                    &f.imgMenu,   &f.imgIcon,      &f.LabelPeek, &f.picPanel, &f.StatusMsg,
                                    &f.cmdDeal,   &f.StatusBar1};
    for (auto* c : singles)
        fn(*c);
}

void Design_Apply(TableForm& f) {
    using namespace design;
    for (const Entry& e : Table()) {
        const QString name = QString::fromLatin1(e.name);
        if (!e.array()) {
            platform::Control* c = Single(f, name);
            if (!c) throw std::logic_error(("no control " + name).toStdString());
            ApplyLook(*c, e, -1);
            continue;
        }
        for (int i = e.first; i <= e.last; ++i) {
            platform::Control* c = nullptr;
            if (auto* a = PictureArray(f, name))
                c = &a->Create(i);
            else if (auto* l = LabelArray(f, name))
                c = &l->Create(i);
            else if (name == QLatin1String("StackHold"))
                c = &f.StackHold.Create(i);
            if (!c) throw std::logic_error(("no control array " + name).toStdString());
            ApplyLook(*c, e, i);
        }
    }
    f.ImgTurn1.SetPicture(Arrow(kTurnMarker, false, QColor(250, 210, 40)));
    f.ImgTurn2.SetPicture(Arrow(kTurnMarker, true, QColor(230, 120, 60)));
    f.imgTipUp.SetPicture(Arrow(kTipArrow, true, QColor(255, 240, 120)));
    f.imgTip.SetPicture(Arrow(kTipArrow, false, QColor(255, 240, 120)));
    f.imgMenu.SetPicture(MenuIcon());
    f.SetBackColor(kTableGreen);
    f.SetClientSizePx(static_cast<int>(kClient.w), static_cast<int>(kClient.h));
}
