#pragma once
// The control kit: windows and their controls as the game code addresses them,
// with positions in the window's scale unit (pixels, or twips at 15 to a pixel),
// control arrays whose elements are loaded and unloaded at run time, and Qt events
// turned into handler calls with Index, Button, Shift and X, Y.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

class QPushButton;

namespace platform {

constexpr double kTwipsPerPixel = 15.0;
// Whole pixels in twips, and whole twips in pixels cut toward zero.
constexpr int TwipsOfPx(int px) {
    return static_cast<int>(px * kTwipsPerPixel);
}
constexpr int PxOfTwips(int twips) {
    return static_cast<int>(twips / kTwipsPerPixel);
}
enum ScaleMode : int { vbTwips = 1, vbPixels = 3 };

// Colours are 0x00BBGGRR.
QColor FromBGR(quint32 bgr);
quint32 ToBGR(const QColor& c);

// Mouse buttons 1 left, 2 right, 4 middle; Shift bits 1 Shift, 2 Ctrl, 4 Alt.
int ButtonOf(Qt::MouseButton b);
int ButtonsOf(Qt::MouseButtons b);
int ShiftOf(Qt::KeyboardModifiers m);
// The Windows virtual-key code of a Qt key (0 when it has none); a key of the numeric
// keypad has the keypad's own code.
int VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Handlers shared by all elements of a control array; index is the element's.
struct Handlers {
    std::function<void(int index)> Click, DblClick;
    std::function<void(int index, int button, int shift, double x, double y)> MouseDown, MouseMove, MouseUp;
};

class Form;

class Control {
  public:
    Control(Form* form, QString name, int index);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& Name() const { return name_; }
    int Index() const { return index_; }
    QWidget* Widget() const { return widget_; }
    Form* Owner() const { return form_; }

    // Position and size in the form's scale unit.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    void SetLeft(double v);
    void SetTop(double v);
    void SetWidth(double v);
    void SetHeight(double v);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);
    // The same in pixels whatever the form's unit.
    double LeftPx() const { return l_; }
    double TopPx() const { return t_; }
    double WidthPx() const { return w_; }
    double HeightPx() const { return h_; }
    void SetGeometryPx(double l, double t, double w, double h);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    const QString& ToolTipText() const { return tip_; }
    void SetToolTipText(const QString& s);
    const QString& Caption() const { return caption_; }
    virtual void SetCaption(const QString& s);
    quint32 BackColor() const { return back_; }
    virtual void SetBackColor(quint32 bgr);
    quint32 ForeColor() const { return fore_; }
    virtual void SetForeColor(quint32 bgr);
    const QImage& Picture() const { return picture_; }
    virtual void SetPicture(const QImage& img);
    int BorderStyle() const { return border_; }
    void SetBorderStyle(int b);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& f);
    void SetFontSize(double points);
    void SetFontBold(bool b);
    // 0 brings the control to the front of its siblings, 1 sends it to the back.
    void ZOrder(int position = 0);
    void Refresh();

    Handlers& On() { return *handlers_; }
    void ShareHandlers(std::shared_ptr<Handlers> h) { handlers_ = std::move(h); }

    // Copies the design properties of another element, as loading an array element does.
    virtual void CopyFrom(const Control& src);

    // Called by the widget; kept public so the widget classes stay small.
    void FireMouse(int kind, QMouseEvent* e);
    void FireClick();
    void FireDblClick();

  protected:
    void Attach(QWidget* w);
    void ApplyGeometry();
    virtual void ApplyLook();
    double ToUnit(double px) const;
    double FromUnit(double v) const;

    Form* form_;
    QString name_;
    int index_;
    QPointer<QWidget> widget_;
    double l_ = 0, t_ = 0, w_ = 0, h_ = 0;
    bool visible_ = true, enabled_ = true;
    QString tip_, caption_;
    quint32 back_ = 0x8000000F, fore_ = 0;
    QImage picture_;
    int border_ = 0;
    QFont font_;
    std::shared_ptr<Handlers> handlers_;
};

// A card place or picture holder: background colour, a picture drawn at (0, 0)
// unscaled, an optional single-line border.
class PictureBox : public Control {
  public:
    PictureBox(Form* form, QString name, int index);
    void SetBackColor(quint32 bgr) override;
    void SetPicture(const QImage& img) override;
    void CopyFrom(const Control& src) override;
    // Draws part of an image into the picture, as a block copy.
    void PaintPicture(const QImage& src, double dx, double dy, double dw, double dh, double sx, double sy,
                      double sw, double sh);
    void Cls();
    bool AutoRedraw = true;
};

// A picture, optionally stretched to the control's size.
class Image : public Control {
  public:
    Image(Form* form, QString name, int index);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool s);
    void CopyFrom(const Control& src) override;

  private:
    bool stretch_ = false;
};

// Text; CR LF in the caption is a line break. BackStyle 0 is transparent.
class Label : public Control {
  public:
    Label(Form* form, QString name, int index);
    void SetCaption(const QString& s) override;
    int BackStyle() const { return backStyle_; }
    void SetBackStyle(int s);
    // 0 left, 1 right, 2 centre.
    int Alignment() const { return align_; }
    void SetAlignment(int a);
    bool WordWrap() const { return wrap_; }
    void SetWordWrap(bool w);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool a);
    // An ampersand marks an access key; off, every ampersand is shown as written.
    bool UseMnemonic() const { return mnemonic_; }
    void SetUseMnemonic(bool m);
    void CopyFrom(const Control& src) override;
    QString DisplayText() const;

  private:
    void FitToText();
    int backStyle_ = 1, align_ = 0;
    bool wrap_ = false, autoSize_ = false, mnemonic_ = true;
};

// A rectangle outline or filled rectangle (0 rectangle, 4 rounded rectangle).
class Shape : public Control {
  public:
    Shape(Form* form, QString name, int index);
    quint32 BorderColor() const { return borderColor_; }
    void SetBorderColor(quint32 c);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int w);
    bool Filled() const { return filled_; }
    void SetFilled(bool f, quint32 fill = 0);
    quint32 FillColor() const { return fillColor_; }
    int Kind() const { return kind_; }
    void SetKind(int k);
    void CopyFrom(const Control& src) override;

  private:
    quint32 borderColor_ = 0, fillColor_ = 0;
    int borderWidth_ = 1, kind_ = 0;
    bool filled_ = false;
};

class CommandButton : public Control {
  public:
    CommandButton(Form* form, QString name, int index);
    void SetCaption(const QString& s) override;
    void CopyFrom(const Control& src) override;

  protected:
    void ApplyLook() override;
};

// The window's one timer: Interval in milliseconds, Enabled, and the Timer event.
class Timer {
  public:
    explicit Timer(QString name);
    const QString& Name() const { return name_; }
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool e);
    std::function<void()> OnTimer;
    // Runs the handler as an elapsed interval would; tests use it.
    void Fire();

  private:
    void Apply();
    QString name_;
    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = false;
};

// Elements indexed as the game numbers them; Load(i) makes element i an
// invisible copy of the lowest element, Unload(i) removes it.
template <typename T> class ControlArray {
  public:
    ControlArray(Form* form, QString name) : form_(form), name_(std::move(name)) {
        handlers_ = std::make_shared<Handlers>();
    }
    const QString& Name() const { return name_; }

    T& operator()(int i) {
        auto it = items_.find(i);
        if (it == items_.end())
            throw std::out_of_range(
                ("control array element not loaded: " + name_ + "(" + QString::number(i) + ")")
                    .toStdString());
        return *it->second;
    }
    bool Exists(int i) const { return items_.count(i) != 0; }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }
    int Count() const { return static_cast<int>(items_.size()); }

    // An element present from the start (design time); visible unless told otherwise.
    T& Create(int i) {
        if (Exists(i)) throw std::logic_error(("element already loaded: " + name_).toStdString());
        auto p = std::make_unique<T>(form_, name_, i);
        p->ShareHandlers(handlers_);
        T& ref = *p;
        items_[i] = std::move(p);
        return ref;
    }
    // A run-time element: a copy of the lowest existing element, invisible.
    T& Load(int i) {
        if (Exists(i))
            throw std::logic_error(
                ("element already loaded: " + name_ + "(" + QString::number(i) + ")").toStdString());
        if (items_.empty()) throw std::logic_error(("no element to copy in " + name_).toStdString());
        T& src = *items_.begin()->second;
        T& e = Create(i);
        e.CopyFrom(src);
        e.SetVisible(false);
        return e;
    }
    void Unload(int i) {
        auto it = items_.find(i);
        if (it == items_.end())
            throw std::out_of_range(
                ("control array element not loaded: " + name_ + "(" + QString::number(i) + ")")
                    .toStdString());
        items_.erase(it);
    }
    Handlers& On() { return *handlers_; }
    template <typename F> void ForEach(F f) {
        for (auto& [i, p] : items_)
            f(i, *p);
    }

  private:
    Form* form_;
    QString name_;
    std::map<int, std::unique_ptr<T>> items_;
    std::shared_ptr<Handlers> handlers_;
};

// A window of the game. One instance each; Unload hides it and marks it unloaded,
// nothing is deleted while a nested wait may still be using it.
class Form {
  public:
    explicit Form(QString name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const QString& Name() const { return name_; }
    QWidget* Window() const { return window_; }
    QWidget* Client() const { return window_; }

    int ScaleMode() const { return scale_; }
    void SetScaleMode(int m) { scale_ = m; }
    // Inner size in the current unit.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // Position and size of the client area in twips, as window placement is stored.
    int LeftTw() const;
    int TopTw() const;
    int WidthTw() const;
    int HeightTw() const;
    void MoveTw(int left, int top, int width, int height);
    // The same placement for the whole window, title bar and borders included: its frame's
    // top-left corner goes to left, top; width and height stay the client area's.
    void MoveFrameTw(int left, int top, int width, int height);
    int FrameLeftTw() const;
    int FrameTopTw() const;
    void SetClientSizePx(int w, int h);
    // How far the window and its controls were scaled from their design (1: as designed).
    double DesignScale() const { return designScale_; }
    void SetDesignScale(double k) { designScale_ = k; }

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& s);
    quint32 BackColor() const { return back_; }
    void SetBackColor(quint32 bgr);
    // A picture painted under every control (the table's background).
    void SetBackground(const QImage& img);
    const QImage& Background() const { return background_; }

    bool Loaded() const { return loaded_; }
    // Creates the window's controls the first time; calls Form_Load.
    void Load();
    void Show(bool modal = false);
    void Hide();
    // Runs QueryUnload (which may cancel) and Form_Unload; hides the window.
    bool Unload();
    bool IsVisible() const;
    // True while a modal Show waits for the window to close.
    bool Waiting() const { return waits_ > 0; }
    // True while an unload asked for by the user (the window's close box) runs.
    bool UserClosing() const { return userClosing_; }

    // Keys reach the window's key handlers as virtual-key codes.
    std::function<void(int keyCode, int shift)> KeyDown, KeyUp;
    std::function<void(int ascii)> KeyPress;
    std::function<void(int button, int shift, double x, double y)> MouseDown, MouseMove, MouseUp;
    std::function<void()> Resize;
    // Esc runs this, wherever in the window it is typed: the window's Cancel or Close button.
    std::function<void()> Escape;
    void SetEscapeButton(CommandButton& button);

    // 0 normal, 1 minimized, 2 maximized.
    int WindowState() const;
    void SetWindowState(int state);

    // Every control of the window, in creation order.
    const std::vector<Control*>& Controls() const { return controls_; }
    void Register(Control* c) { controls_.push_back(c); }
    void Unregister(Control* c);

    static Form* Find(const QString& name);
    static bool IsLoaded(const QString& name);
    static std::vector<Form*> All();

  protected:
    virtual void Form_Load() {}
    // Return true to cancel the unload.
    virtual bool Form_QueryUnload() { return false; }
    virtual void Form_Unload() {}

  private:
    friend class FormWindow;
    QString name_;
    QWidget* window_ = nullptr;
    int scale_ = vbTwips;
    double designScale_ = 1;
    QString caption_;
    quint32 back_ = 0x8000000F;
    QImage background_;
    bool loaded_ = false;
    bool inLoad_ = false;
    bool userClosing_ = false;
    int waits_ = 0;
    std::vector<Control*> controls_;
};

} // namespace platform
