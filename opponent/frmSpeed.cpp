#include "opponent/frmSpeed.h"
#include "common/Shared.h"
#include "opponent/Speed.h"
#include "platform/Connect.h"

#include <QScrollBar>

// ---------------------------------------------------------------- ScrollBar

ScrollBar::ScrollBar(platform::Form* form, QString name, int index, Qt::Orientation orientation)
    : Control(form, std::move(name), index) {
    auto* bar = new QScrollBar(orientation, form ? form->Client() : nullptr);
    bar->setPageStep(1);
    moved_ = platform::Connect(bar, &QScrollBar::valueChanged, bar, "change", [this] { Change(); });
    Attach(bar);
}

ScrollBar::~ScrollBar() {
    // The widget is deleted later; its signals must not reach this control meanwhile.
    QObject::disconnect(moved_);
}

QScrollBar* ScrollBar::Bar() const {
    return static_cast<QScrollBar*>(widget_.data());
}

int ScrollBar::Value() const {
    return Bar() ? Bar()->value() : 0;
}

void ScrollBar::SetValue(int v) {
    if (Bar()) Bar()->setValue(v);
}

void ScrollBar::SetRange(int min, int max) {
    if (Bar()) Bar()->setRange(min, max);
}

// ---------------------------------------------------------------- SpeedForm

namespace {
SpeedForm*& Instance() {
    static SpeedForm* form = nullptr;
    return form;
}
} // namespace

SpeedForm::SpeedForm() : Form(QStringLiteral("frmSpeed")) {
    if (!Instance()) Instance() = this;
    Window()->setWindowFlags(Qt::Tool);
    HScroll1.Change = [this] { HScroll1_Change(); };
    VScroll1.Change = [this] { VScroll1_Change(); };
    Command1.On().Click = [this](int) { Command1_Click(); };
    SetEscapeButton(Command1);
}

SpeedForm::~SpeedForm() {
    if (Instance() == this) Instance() = nullptr;
}

void SpeedForm::Form_Load() {
    SetCaption(QStringLiteral("Pace of Play"));
    SetClientSizePx(300, 150);
    Frame1.SetCaption(QStringLiteral("Computer's pace"));
    Frame1.SetGeometryPx(10, 8, 200, 18);
    HScroll1.SetRange(0, kSpeedCount - 1);
    HScroll1.SetGeometryPx(10, 30, 200, 18);
    Label1.SetAlignment(2);
    Label1.SetGeometryPx(10, 52, 200, 18);
    // The ends of the pace bar: "slow" under its left end, "fast" under its right.
    Label2.SetCaption(QStringLiteral("slow"));
    Label2.SetGeometryPx(10, 72, 100, 18);
    lblFast.SetCaption(QStringLiteral("fast"));
    lblFast.SetAlignment(1);
    lblFast.SetGeometryPx(110, 72, 100, 18);
    Frame2.SetCaption(QStringLiteral("Card flight"));
    Frame2.SetGeometryPx(220, 8, 75, 18);
    VScroll1.SetRange(0, kAnimPositions - 1);
    VScroll1.SetGeometryPx(230, 30, 18, 90);
    lblAni.SetGeometryPx(255, 65, 40, 18);
    Label3.SetCaption(QStringLiteral("smooth"));
    Label3.SetGeometryPx(250, 110, 45, 18);
    Command1.SetCaption(QStringLiteral("Close"));
    Command1.SetGeometryPx(10, 110, 80, 28);

    HScroll1.SetValue(Com.SpeedIndex);
    Label1.SetCaption(Speed_Name(Com.SpeedIndex));
    if (Com.AnimSteps == 0) Com.AnimSteps = kAnimStepsDefault;
    // Steps chosen elsewhere that the bar does not know leave it where it is.
    const int steps = Com.AnimSteps;
    VScroll1.SetValue(Speed_AnimPosition(steps, VScroll1.Value()));
    Com.AnimSteps = steps;
    lblAni.SetCaption(QString::number(VScroll1.Value()));
}

void SpeedForm::HScroll1_Change() {
    Speed_SetPace(HScroll1.Value());
    Label1.SetCaption(Speed_Name(Com.SpeedIndex));
}

void SpeedForm::VScroll1_Change() {
    Speed_SetAnim(VScroll1.Value());
    lblAni.SetCaption(QString::number(VScroll1.Value()));
}

void SpeedForm::Command1_Click() {
    Unload();
}

SpeedForm& frmSpeed() {
    if (!Instance()) new SpeedForm(); // lives until the program ends
    return *Instance();
}
