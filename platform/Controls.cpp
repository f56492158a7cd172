#include "platform/Controls.h"
#include "platform/Connect.h"
#include "platform/EventWidget.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <cmath>
#include <type_traits>
#include <utility>

namespace platform {

QColor FromBGR(quint32 bgr) {
    if (bgr & 0x80000000u) return QApplication::palette().color(QPalette::Window); // system colour
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

quint32 ToBGR(const QColor& c) {
    return static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
           (static_cast<quint32>(c.blue()) << 16);
}

int ButtonOf(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int ButtonsOf(Qt::MouseButtons b) {
    int r = 0;
    if (b & Qt::LeftButton) r |= 1;
    if (b & Qt::RightButton) r |= 2;
    if (b & Qt::MiddleButton) r |= 4;
    return r;
}

int ShiftOf(Qt::KeyboardModifiers m) {
    int r = 0;
    if (m & Qt::ShiftModifier) r |= 1;
    if (m & Qt::ControlModifier) r |= 2;
    if (m & Qt::AltModifier) r |= 4;
    return r;
}

namespace {
// The keypad's keys have codes of their own, whatever NumLock makes of them: with it
// off the toolkit reports the keypad's digits as the movement keys printed on them.
constexpr int kVkNumpad0 = 0x60;
int KeypadKeyOf(int k) {
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return kVkNumpad0 + (k - Qt::Key_0);
    switch (k) {
    case Qt::Key_Insert:
        return kVkNumpad0;
    case Qt::Key_End:
        return kVkNumpad0 + 1;
    case Qt::Key_Down:
        return kVkNumpad0 + 2;
    case Qt::Key_PageDown:
        return kVkNumpad0 + 3;
    case Qt::Key_Left:
        return kVkNumpad0 + 4;
    case Qt::Key_Clear:
        return kVkNumpad0 + 5;
    case Qt::Key_Right:
        return kVkNumpad0 + 6;
    case Qt::Key_Home:
        return kVkNumpad0 + 7;
    case Qt::Key_Up:
        return kVkNumpad0 + 8;
    case Qt::Key_PageUp:
        return kVkNumpad0 + 9;
    case Qt::Key_Asterisk:
        return 0x6A;
    case Qt::Key_Plus:
        return 0x6B;
    case Qt::Key_Minus:
        return 0x6D;
    case Qt::Key_Period:
    case Qt::Key_Delete:
        return 0x6E;
    case Qt::Key_Slash:
        return 0x6F;
    default:
        return 0;
    }
}

// The keys other than letters, digits and function keys, with their virtual-key codes;
// "=" and "+" share one key of the main block.
constexpr std::pair<int, int> kVirtualKeys[] = {
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},     {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D},
    {Qt::Key_Shift, 0x10},     {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},    {Qt::Key_Pause, 0x13},
    {Qt::Key_Escape, 0x1B},    {Qt::Key_Space, 0x20},   {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
    {Qt::Key_End, 0x23},       {Qt::Key_Home, 0x24},    {Qt::Key_Left, 0x25},   {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},    {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E},
    {Qt::Key_Equal, 0xBB},     {Qt::Key_Plus, 0xBB},    {Qt::Key_Minus, 0xBD},  {Qt::Key_Period, 0xBE},
    {Qt::Key_Comma, 0xBC},
};
} // namespace

int VirtualKeyOf(int k, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::KeypadModifier) {
        if (const int pad = KeypadKeyOf(k)) return pad;
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 0x70 + (k - Qt::Key_F1);
    for (const auto& [key, code] : kVirtualKeys)
        if (key == k) return code;
    return 0;
}

namespace {

class PaintedWidget : public EventWidget<QWidget> {
  public:
    using EventWidget<QWidget>::EventWidget;
    std::function<void(QPainter&, const QRect&)> painter;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (painter)
            Guarded(
                "paint", [&] { painter(p, rect()); }, true);
    }
};

QFont DefaultFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(8.25);
    return f;
}

} // namespace

// ---------------------------------------------------------------- Control

Control::Control(Form* form, QString name, int index)
    : form_(form), name_(std::move(name)), index_(index), font_(DefaultFont()) {
    handlers_ = std::make_shared<Handlers>();
    if (form_) form_->Register(this);
}

Control::~Control() {
    if (form_) form_->Unregister(this);
    if (widget_) {
        if (auto* w = dynamic_cast<Reporting*>(widget_.data())) w->Detach();
        widget_->hide();
        // The widget may be in the middle of delivering the event that unloads it.
        widget_->deleteLater();
    }
}

void Control::Attach(QWidget* w) {
    widget_ = w;
    w->setAttribute(Qt::WA_Hover, false);
    w->setMouseTracking(false);
    ApplyGeometry();
    ApplyLook();
    w->setVisible(visible_);
}

double Control::ToUnit(double px) const {
    return form_ && form_->ScaleMode() == vbTwips ? px * kTwipsPerPixel : px;
}
double Control::FromUnit(double v) const {
    return form_ && form_->ScaleMode() == vbTwips ? v / kTwipsPerPixel : v;
}

double Control::Left() const {
    return ToUnit(l_);
}
double Control::Top() const {
    return ToUnit(t_);
}
double Control::Width() const {
    return ToUnit(w_);
}
double Control::Height() const {
    return ToUnit(h_);
}
void Control::SetLeft(double v) {
    l_ = FromUnit(v);
    ApplyGeometry();
}
void Control::SetTop(double v) {
    t_ = FromUnit(v);
    ApplyGeometry();
}
void Control::SetWidth(double v) {
    w_ = std::max(0.0, FromUnit(v));
    ApplyGeometry();
}
void Control::SetHeight(double v) {
    h_ = std::max(0.0, FromUnit(v));
    ApplyGeometry();
}
void Control::Move(double left, double top) {
    l_ = FromUnit(left);
    t_ = FromUnit(top);
    ApplyGeometry();
}
void Control::Move(double left, double top, double width, double height) {
    l_ = FromUnit(left);
    t_ = FromUnit(top);
    w_ = std::max(0.0, FromUnit(width));
    h_ = std::max(0.0, FromUnit(height));
    ApplyGeometry();
}
void Control::SetGeometryPx(double l, double t, double w, double h) {
    l_ = l;
    t_ = t;
    w_ = std::max(0.0, w);
    h_ = std::max(0.0, h);
    ApplyGeometry();
}

void Control::ApplyGeometry() {
    if (!widget_) return;
    const int x = static_cast<int>(std::lround(l_)), y = static_cast<int>(std::lround(t_));
    const int r = static_cast<int>(std::lround(l_ + w_)), b = static_cast<int>(std::lround(t_ + h_));
    widget_->setGeometry(x, y, std::max(0, r - x), std::max(0, b - y));
}

void Control::SetVisible(bool v) {
    visible_ = v;
    if (widget_) widget_->setVisible(v);
}
void Control::SetEnabled(bool v) {
    enabled_ = v;
    if (widget_) widget_->setEnabled(v);
}
void Control::SetToolTipText(const QString& s) {
    tip_ = s;
    if (widget_) widget_->setToolTip(s);
}
void Control::SetCaption(const QString& s) {
    caption_ = s;
    ApplyLook();
}
void Control::SetBackColor(quint32 bgr) {
    back_ = bgr;
    ApplyLook();
}
void Control::SetForeColor(quint32 bgr) {
    fore_ = bgr;
    ApplyLook();
}
void Control::SetPicture(const QImage& img) {
    picture_ = img;
    ApplyLook();
}
void Control::SetBorderStyle(int b) {
    border_ = b;
    ApplyLook();
}
void Control::SetFont(const QFont& f) {
    font_ = f;
    ApplyLook();
}
void Control::SetFontSize(double points) {
    font_.setPointSizeF(points > 0 ? points : 1.0);
    ApplyLook();
}
void Control::SetFontBold(bool b) {
    font_.setBold(b);
    ApplyLook();
}
void Control::ZOrder(int position) {
    if (!widget_) return;
    if (position == 0)
        widget_->raise();
    else
        widget_->lower();
}
void Control::Refresh() {
    if (widget_) widget_->update();
}

void Control::ApplyLook() {
    if (!widget_) return;
    widget_->setFont(font_);
    widget_->update();
}

void Control::CopyFrom(const Control& src) {
    w_ = src.w_;
    h_ = src.h_;
    l_ = src.l_;
    t_ = src.t_;
    enabled_ = src.enabled_;
    tip_ = src.tip_;
    caption_ = src.caption_;
    back_ = src.back_;
    fore_ = src.fore_;
    picture_ = src.picture_;
    border_ = src.border_;
    font_ = src.font_;
    if (widget_) {
        widget_->setEnabled(enabled_);
        widget_->setToolTip(tip_);
    }
    ApplyGeometry();
    ApplyLook();
}

void Control::FireMouse(int kind, QMouseEvent* e) {
    const int shift = ShiftOf(e->modifiers());
    const int button = kind == 1 ? ButtonsOf(e->buttons()) : ButtonOf(e->button());
    const double x = ToUnit(e->position().x());
    const double y = ToUnit(e->position().y());
    const int idx = index_ < 0 ? 0 : index_;
    auto h = handlers_; // the handler may unload this control
    if (kind == 0 && h->MouseDown) h->MouseDown(idx, button, shift, x, y);
    if (kind == 1 && h->MouseMove) h->MouseMove(idx, button, shift, x, y);
    if (kind == 2 && h->MouseUp) h->MouseUp(idx, button, shift, x, y);
}

void Control::FireClick() {
    auto h = handlers_;
    if (h->Click) h->Click(index_ < 0 ? 0 : index_);
}

void Control::FireDblClick() {
    auto h = handlers_;
    if (h->DblClick) h->DblClick(index_ < 0 ? 0 : index_);
}

// ---------------------------------------------------------------- PictureBox

PictureBox::PictureBox(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    back_ = 0x008000; // the table's green until told otherwise
    auto* w = new PaintedWidget(this, form ? form->Client() : nullptr);
    w->painter = [this](QPainter& p, const QRect& r) {
        // A card with rounded corners covers its place and draws its own edge: the table shows
        // at the corners instead of a square of the place's colour and border.
        const QSizeF size = picture_.deviceIndependentSize();
        const bool card = !picture_.isNull() && picture_.hasAlphaChannel() && size.width() >= r.width() &&
                          size.height() >= r.height();
        if (!card) p.fillRect(r, FromBGR(back_));
        if (!picture_.isNull()) p.drawImage(QPointF(0, 0), picture_);
        if (border_ == 1 && !card) {
            p.setPen(QColor(0, 0, 0));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    };
    Attach(w);
}

void PictureBox::SetBackColor(quint32 bgr) {
    back_ = bgr;
    ApplyLook();
}

void PictureBox::SetPicture(const QImage& img) {
    picture_ = img;
    ApplyLook();
}

void PictureBox::CopyFrom(const Control& src) {
    Control::CopyFrom(src);
    if (auto* p = dynamic_cast<const PictureBox*>(&src)) AutoRedraw = p->AutoRedraw;
}

void PictureBox::PaintPicture(const QImage& src, double dx, double dy, double dw, double dh, double sx,
                              double sy, double sw, double sh) {
    const qreal dpr = src.devicePixelRatio() > 0 ? src.devicePixelRatio() : 1.0;
    const int pw = static_cast<int>(std::lround(w_)), ph = static_cast<int>(std::lround(h_));
    if (pw <= 0 || ph <= 0) return;
    const QSize phys(static_cast<int>(std::lround(pw * dpr)), static_cast<int>(std::lround(ph * dpr)));
    if (picture_.isNull() || picture_.size() != phys) {
        QImage fresh(phys, QImage::Format_ARGB32_Premultiplied);
        fresh.setDevicePixelRatio(dpr);
        fresh.fill(FromBGR(back_));
        if (!picture_.isNull()) {
            QPainter q(&fresh);
            q.drawImage(QPointF(0, 0), picture_);
        }
        picture_ = fresh;
    }
    QPainter p(&picture_);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QRectF(dx, dy, dw, dh), src, QRectF(sx * dpr, sy * dpr, sw * dpr, sh * dpr));
    p.end();
    ApplyLook();
}

void PictureBox::Cls() {
    picture_ = QImage();
    ApplyLook();
}

// ---------------------------------------------------------------- Image

Image::Image(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* w = new PaintedWidget(this, form ? form->Client() : nullptr);
    w->painter = [this](QPainter& p, const QRect& r) {
        if (picture_.isNull()) return;
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (stretch_)
            p.drawImage(QRectF(r), picture_);
        else
            p.drawImage(QPointF(0, 0), picture_);
    };
    Attach(w);
}

void Image::SetStretch(bool s) {
    stretch_ = s;
    ApplyLook();
}

void Image::CopyFrom(const Control& src) {
    Control::CopyFrom(src);
    if (auto* i = dynamic_cast<const Image*>(&src)) stretch_ = i->stretch_;
}

// ---------------------------------------------------------------- Label

Label::Label(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* w = new PaintedWidget(this, form ? form->Client() : nullptr);
    w->painter = [this](QPainter& p, const QRect& r) {
        if (backStyle_ == 1) p.fillRect(r, FromBGR(back_));
        if (border_ == 1) {
            p.setPen(QColor(0, 0, 0));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        p.setFont(font_);
        p.setPen(FromBGR(fore_));
        int flags = Qt::AlignTop;
        flags |= align_ == 1 ? Qt::AlignRight : align_ == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
        if (wrap_ || !autoSize_) flags |= Qt::TextWordWrap;
        p.drawText(r.adjusted(1, 0, -1, 0), flags, DisplayText());
    };
    Attach(w);
}

QString Label::DisplayText() const {
    QString s = caption_;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    if (!mnemonic_) return s;
    // An ampersand marks an access key; a doubled one is shown.
    s.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    s.remove(QChar('&'));
    s.replace(QChar('\x01'), QChar('&'));
    return s;
}

void Label::SetCaption(const QString& s) {
    caption_ = s;
    if (autoSize_) FitToText();
    ApplyLook();
}

void Label::SetBackStyle(int s) {
    backStyle_ = s;
    ApplyLook();
}
void Label::SetAlignment(int a) {
    align_ = a;
    ApplyLook();
}
void Label::SetWordWrap(bool w) {
    wrap_ = w;
    if (autoSize_) FitToText();
    ApplyLook();
}
void Label::SetUseMnemonic(bool m) {
    mnemonic_ = m;
    if (autoSize_) FitToText();
    ApplyLook();
}
void Label::SetAutoSize(bool a) {
    autoSize_ = a;
    if (autoSize_) FitToText();
    ApplyLook();
}

void Label::FitToText() {
    const QFontMetrics fm(font_);
    if (wrap_) {
        const QRect b = fm.boundingRect(QRect(0, 0, static_cast<int>(std::max(1.0, w_)), 10000),
                                        Qt::TextWordWrap, DisplayText());
        h_ = b.height();
    } else {
        const QRect b = fm.boundingRect(QRect(0, 0, 10000, 10000), 0, DisplayText());
        w_ = b.width() + 2;
        h_ = b.height();
    }
    ApplyGeometry();
}

void Label::CopyFrom(const Control& src) {
    Control::CopyFrom(src);
    if (auto* l = dynamic_cast<const Label*>(&src)) {
        backStyle_ = l->backStyle_;
        align_ = l->align_;
        wrap_ = l->wrap_;
        autoSize_ = l->autoSize_;
        mnemonic_ = l->mnemonic_;
    }
    ApplyLook();
}

// ---------------------------------------------------------------- Shape

Shape::Shape(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* w = new PaintedWidget(this, form ? form->Client() : nullptr);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->painter = [this](QPainter& p, const QRect& r) {
        p.setRenderHint(QPainter::Antialiasing);
        const double half = borderWidth_ / 2.0;
        const QRectF box = QRectF(r).adjusted(half, half, -half, -half);
        if (filled_) p.setBrush(FromBGR(fillColor_));
        p.setPen(borderWidth_ > 0 ? QPen(FromBGR(borderColor_), borderWidth_) : QPen(Qt::NoPen));
        if (kind_ == 4)
            p.drawRoundedRect(box, 5, 5);
        else
            p.drawRect(box);
    };
    Attach(w);
}

void Shape::SetBorderColor(quint32 c) {
    borderColor_ = c;
    ApplyLook();
}
void Shape::SetBorderWidth(int w) {
    borderWidth_ = w;
    ApplyLook();
}
void Shape::SetFilled(bool f, quint32 fill) {
    filled_ = f;
    fillColor_ = fill;
    ApplyLook();
}
void Shape::SetKind(int k) {
    kind_ = k;
    ApplyLook();
}
void Shape::CopyFrom(const Control& src) {
    Control::CopyFrom(src);
    if (auto* s = dynamic_cast<const Shape*>(&src)) {
        borderColor_ = s->borderColor_;
        fillColor_ = s->fillColor_;
        borderWidth_ = s->borderWidth_;
        kind_ = s->kind_;
        filled_ = s->filled_;
    }
    ApplyLook();
}

// ---------------------------------------------------------------- CommandButton

CommandButton::CommandButton(Form* form, QString name, int index) : Control(form, std::move(name), index) {
    auto* b = new EventWidget<QPushButton>(this, form ? form->Client() : nullptr);
    Connect(b, &QPushButton::clicked, "click", [b] {
        if (Control* o = b->Owner()) o->FireClick();
    });
    b->setFocusPolicy(Qt::NoFocus);
    Attach(b);
}

void CommandButton::SetCaption(const QString& s) {
    caption_ = s;
    ApplyLook();
}

void CommandButton::ApplyLook() {
    if (!widget_) return;
    auto* b = static_cast<QPushButton*>(widget_.data());
    b->setText(caption_);
    b->setFont(font_);
}

void CommandButton::CopyFrom(const Control& src) {
    Control::CopyFrom(src);
    ApplyLook();
}

// ---------------------------------------------------------------- Timer

Timer::Timer(QString name) : name_(std::move(name)) {
    Connect(&timer_, &QTimer::timeout, "timer", [this] { Fire(); });
}
void Timer::SetInterval(int ms) {
    interval_ = ms;
    Apply();
}
void Timer::SetEnabled(bool e) {
    enabled_ = e;
    Apply();
}
void Timer::Apply() {
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}
void Timer::Fire() {
    if (OnTimer) OnTimer();
}

// ---------------------------------------------------------------- Form

namespace {
std::vector<Form*>& AllForms() {
    static std::vector<Form*> forms;
    return forms;
}
} // namespace

class FormWindow : public QWidget {
  public:
    explicit FormWindow(Form* f) : form_(f) { setFocusPolicy(Qt::StrongFocus); }

  protected:
    void paintEvent(QPaintEvent* e) override {
        QPainter p(this);
        p.fillRect(e->rect(), FromBGR(form_->back_));
        if (!form_->background_.isNull()) p.drawImage(QPointF(0, 0), form_->background_);
    }
    void closeEvent(QCloseEvent* e) override {
        // The window stays; unloading only hides it.
        e->ignore();
        Guarded("close", [this] {
            form_->userClosing_ = true;
            form_->Unload();
            form_->userClosing_ = false;
        });
    }
    void keyPressEvent(QKeyEvent* e) override {
        Guarded("key down", [&] { KeyDown(e); });
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        Guarded("key up", [&] {
            if (!form_->KeyUp) return;
            const int vk = VirtualKeyOf(e->key(), e->modifiers());
            if (vk) form_->KeyUp(vk, ShiftOf(e->modifiers()));
        });
    }
    void mousePressEvent(QMouseEvent* e) override {
        Guarded("mouse down", [&] { Mouse(0, e); });
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        Guarded("mouse move", [&] { Mouse(1, e); });
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        Guarded("mouse up", [&] { Mouse(2, e); });
    }
    void resizeEvent(QResizeEvent*) override {
        if (form_->Resize) Guarded("resize", [this] { form_->Resize(); });
    }

  private:
    void KeyDown(QKeyEvent* e) {
        if (e->key() == Qt::Key_Escape && form_->Escape) {
            form_->Escape();
            return;
        }
        if (form_->KeyDown) {
            const int vk = VirtualKeyOf(e->key(), e->modifiers());
            if (vk) form_->KeyDown(vk, ShiftOf(e->modifiers()));
        }
        if (form_->KeyPress && !e->text().isEmpty()) form_->KeyPress(e->text().at(0).unicode());
    }
    void Mouse(int kind, QMouseEvent* e) {
        const double k = form_->ScaleMode() == vbTwips ? kTwipsPerPixel : 1.0;
        const int shift = ShiftOf(e->modifiers());
        const int button = kind == 1 ? ButtonsOf(e->buttons()) : ButtonOf(e->button());
        const double x = e->position().x() * k, y = e->position().y() * k;
        auto& h = kind == 0 ? form_->MouseDown : kind == 1 ? form_->MouseMove : form_->MouseUp;
        if (h) h(button, shift, x, y);
    }
    Form* form_;
};

Form::Form(QString name) : name_(std::move(name)) {
    window_ = new FormWindow(this);
    window_->setObjectName(name_);
    AllForms().push_back(this);
}

Form::~Form() {
    auto& all = AllForms();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    delete window_;
}

double Form::ScaleWidth() const {
    return window_->width() * (scale_ == vbTwips ? kTwipsPerPixel : 1.0);
}
double Form::ScaleHeight() const {
    return window_->height() * (scale_ == vbTwips ? kTwipsPerPixel : 1.0);
}
// Placement is of the client area: it reads back exactly what was set, whatever
// frame the window manager adds.
int Form::LeftTw() const {
    return TwipsOfPx(window_->geometry().x());
}
int Form::TopTw() const {
    return TwipsOfPx(window_->geometry().y());
}
int Form::WidthTw() const {
    return TwipsOfPx(window_->geometry().width());
}
int Form::HeightTw() const {
    return TwipsOfPx(window_->geometry().height());
}

void Form::MoveTw(int left, int top, int width, int height) {
    window_->setGeometry(PxOfTwips(left), PxOfTwips(top), std::max(1, PxOfTwips(width)),
                         std::max(1, PxOfTwips(height)));
}

void Form::MoveFrameTw(int left, int top, int width, int height) {
    // A window's position given by move() is its frame's, as the window manager adds it.
    window_->resize(std::max(1, PxOfTwips(width)), std::max(1, PxOfTwips(height)));
    window_->move(PxOfTwips(left), PxOfTwips(top));
}

int Form::FrameLeftTw() const {
    return TwipsOfPx(window_->frameGeometry().x());
}
int Form::FrameTopTw() const {
    return TwipsOfPx(window_->frameGeometry().y());
}

void Form::SetClientSizePx(int w, int h) {
    window_->resize(w, h);
}

void Form::SetCaption(const QString& s) {
    caption_ = s;
    window_->setWindowTitle(s);
}
void Form::SetBackColor(quint32 bgr) {
    back_ = bgr;
    window_->update();
}
void Form::SetBackground(const QImage& img) {
    background_ = img;
    window_->update();
}

void Form::Load() {
    if (loaded_ || inLoad_) return;
    inLoad_ = true;
    loaded_ = true;
    Form_Load();
    inLoad_ = false;
}

void Form::Show(bool modal) {
    Load();
    if (!loaded_) return;
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (!modal) return;
    // A modal window keeps the caller waiting until it is hidden. The wait sleeps until an event
    // comes (a time limit would make it return at once and spin). The toolkit's own modality is
    // not used: the game's waits nest, and a window reopened while an older wait of it is still
    // pending would stay registered as modal after it closed, leaving every other window dead.
    ++waits_;
    QEventLoop loop;
    while (window_->isVisible()) {
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    }
    --waits_;
}

void Form::SetEscapeButton(CommandButton& button) {
    Escape = [&button] {
        if (button.Enabled() && button.Visible()) button.FireClick();
    };
}

void Form::Hide() {
    window_->hide();
}

bool Form::Unload() {
    if (!loaded_) return true;
    if (Form_QueryUnload()) return false;
    Form_Unload();
    loaded_ = false;
    window_->hide();
    return true;
}

bool Form::IsVisible() const {
    return window_->isVisible();
}

int Form::WindowState() const {
    const Qt::WindowStates st = window_->windowState();
    if (st & Qt::WindowMinimized) return 1;
    if (st & (Qt::WindowMaximized | Qt::WindowFullScreen)) return 2;
    return 0;
}

void Form::SetWindowState(int state) {
    switch (state) {
    case 1:
        window_->setWindowState(Qt::WindowMinimized);
        break;
    case 2:
        window_->setWindowState(Qt::WindowMaximized);
        break;
    default:
        window_->setWindowState(Qt::WindowNoState);
        break;
    }
}

void Form::Unregister(Control* c) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
}

std::vector<Form*> Form::All() {
    return AllForms();
}

Form* Form::Find(const QString& name) {
    for (Form* f : AllForms())
        if (f->name_ == name) return f;
    return nullptr;
}

bool Form::IsLoaded(const QString& name) {
    const Form* f = Find(name);
    return f && f->loaded_;
}

} // namespace platform
