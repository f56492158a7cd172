#include "media/frmCustom.h"
#include "common/Shared.h"
#include "engine/Flow.h"
#include "engine/Model.h"
#include "media/CommentSets.h"
#include "media/MediaLists.h"
#include "media/MediaState.h"
#include "platform/Connect.h"
#include "platform/PickDialogs.h"
#include "platform/Services.h"
#include "shell/Folders.h"
#include "shell/Utilities.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>

namespace {

constexpr int kInstructFirst = 9; // the editor's instructions in the text records
constexpr int kInstructLast = 11;
constexpr quint32 kWhite = 0x00FFFFFF;
constexpr quint32 kCustomYellow = 0x0000FFFF;
constexpr int kSoundThanks = 12;
const QString kFilter = QStringLiteral("Comment Files (*.cmt)|*.cmt");
const QString kEmptyName = QStringLiteral("Enter a name for this comment file!");

CustomForm*& Instance() {
    static CustomForm* form = nullptr;
    return form;
}

void Info(const QString& text) {
    platform::MsgBox(text, platform::vbInformation, QString());
}

} // namespace

CustomForm::CustomForm() : Form(QStringLiteral("frmCustom")) {
    if (!Instance()) Instance() = this;
    SetScaleMode(platform::vbPixels);
    for (int i = 1; i <= kSetComments; ++i) {
        lblNumber.Create(i);
        platform::TextBox& t = Text1.Create(i);
        if (auto* edit = qobject_cast<QLineEdit*>(t.Widget()))
            platform::Connect(edit, &QLineEdit::textEdited, edit, "change", [this, i] { Text1_Change(i); });
    }
    for (int i = kCusNew; i <= kCusExport; ++i)
        Command3.Create(i);
    Command3.On().Click = [this](int i) { GetGoing_Click(i); };
    Command1.On().Click = [this](int) { Command1_Click(); };
    SetEscapeButton(Command1);
    Check1.On().Click = [this](int) { Check1_Click(); };
    MakeMenu();
}

CustomForm::~CustomForm() {
    if (Instance() == this) Instance() = nullptr;
}

void CustomForm::MakeMenu() {
    menu_ = new QMenuBar(Client());
    QMenu* file = menu_->addMenu(QStringLiteral("&File"));
    const char* const items[] = {"&New Comment file...", "&Open Existing...", "&Save..."};
    for (int i = kCusNew; i <= kCusSave; ++i)
        platform::Connect(file->addAction(QString::fromLatin1(items[i])), &QAction::triggered, menu_, "menu",
                          [this, i] { GetGoing_Click(i); });
    file->addSeparator();
    platform::Connect(file->addAction(QStringLiteral("E&xit")), &QAction::triggered, menu_, "menu",
                      [this] { ExitCus_Click(); });
    platform::Connect(menu_->addAction(QStringLiteral("&Help")), &QAction::triggered, menu_, "menu",
                      [this] { HelpComments_Click(); });
}

void CustomForm::Layout() {
    constexpr int kRow = 24, kTop = 84;
    SetDesignScale(1);
    SetClientSizePx(660, kTop + kSetComments * kRow + 110);
    menu_->setGeometry(0, 0, 660, 24);
    lblInstruct.SetGeometryPx(10, 28, 640, 52);
    lblInstruct.SetWordWrap(true);
    for (int i = 1; i <= kSetComments; ++i) {
        lblNumber(i).SetCaption(QString::number(i));
        lblNumber(i).SetAlignment(1);
        lblNumber(i).SetGeometryPx(6, kTop + (i - 1) * kRow + 3, 22, 18);
        Text1(i).SetGeometryPx(32, kTop + (i - 1) * kRow, 618, 22);
    }
    const int y = kTop + kSetComments * kRow + 8;
    lblFile.SetCaption(QStringLiteral("Comment file name:"));
    lblFile.SetGeometryPx(32, y + 3, 130, 18);
    FileTxt.SetGeometryPx(165, y, 200, 22);
    Check1.SetCaption(QStringLiteral("Use these comments now"));
    Check1.SetGeometryPx(380, y, 270, 22);
    Label4.SetGeometryPx(32, y + 28, 618, 36);
    Label4.SetWordWrap(true);
    const char* const captions[] = {"New", "Open", "Save", "Export"};
    for (int i = kCusNew; i <= kCusExport; ++i) {
        Command3(i).SetCaption(QString::fromLatin1(captions[i]));
        Command3(i).SetGeometryPx(32 + i * 100, y + 68, 90, 28);
    }
    Command1.SetCaption(QStringLiteral("Return"));
    Command1.SetGeometryPx(560, y + 68, 90, 28);
}

void CustomForm::Form_Load() {
    SetCaption(QStringLiteral("Custom Comments"));
    Layout();
    lblInstruct.SetCaption(ReadTextRecords(kInstructFirst, kInstructLast));
    Label4.SetCaption(QStringLiteral(" "));
    Check1.SetValue(0);
    Check1.SetEnabled(false);
    const QString custom = Media_FindNoCase(Com.UserPath, QString::fromLatin1(kCustomComments));
    List_CommentFiles();
    if (!custom.isEmpty() && Med.CommentFileCount == 1) {
        QStringList texts;
        const CommentFile st = Comments_ReadFile(Com.UserPath + custom, &texts);
        if (st == CommentFile::Damaged) Comments_ReportDamaged(Com.UserPath + custom);
        if (st == CommentFile::Ok) {
            Fill(texts);
            FileTxt.SetText(QString::fromLatin1(kCustomComments));
        }
    }
    changed_ = false;
}

QStringList CustomForm::Texts() const {
    QStringList out;
    for (int i = 1; i <= kSetComments; ++i)
        out << const_cast<CustomForm*>(this)->Text1(i).Text();
    return out;
}

void CustomForm::Fill(const QStringList& texts) {
    for (int i = 1; i <= kSetComments; ++i)
        Text1(i).SetText(texts.value(i - 1));
}

void CustomForm::Focus(platform::Control& c) {
    if (c.Widget()) c.Widget()->setFocus();
}

void CustomForm::GetGoing_Click(int command) {
    Check1.SetValue(0);
    Check1.SetEnabled(false);
    switch (command) {
    case kCusNew:
        NewSet();
        break;
    case kCusOpen:
        OpenSet();
        break;
    case kCusSave:
        SaveSet();
        break;
    case kCusExport:
        ExportSet();
        break;
    default:
        break;
    }
}

void CustomForm::NewSet() {
    for (int i = 1; i <= kSetComments; ++i)
        Text1(i).SetText(QStringLiteral("custom%1").arg(i));
    FileTxt.SetText(QStringLiteral("filename"));
    Focus(FileTxt);
    if (auto* edit = qobject_cast<QLineEdit*>(FileTxt.Widget())) edit->selectAll();
    changed_ = false;
}

void CustomForm::OpenSet() {
    const QString path = platform::Picks().OpenFile({QString(), Com.UserPath, QString(), kFilter});
    if (path.isEmpty()) return;
    QStringList texts;
    const CommentFile st = Comments_ReadFile(path, &texts);
    if (st != CommentFile::Ok) {
        Comments_ReportDamaged(path);
        return;
    }
    const QString title = QFileInfo(path).fileName();
    const int dot = title.indexOf(QLatin1String(kCommentEnding), 0, Qt::CaseInsensitive);
    FileTxt.SetText(dot < 0 ? title : title.left(dot));
    Fill(texts);
    // A set opened from elsewhere is not in the user folder until it is saved there.
    const QString own = QFileInfo(Com.UserPath + title).absoluteFilePath();
    changed_ = QFileInfo(path).absoluteFilePath().compare(own, Qt::CaseInsensitive) != 0;
    Check1.SetEnabled(true);
}

bool CustomForm::StopAtTooLong() {
    const int bad = Comments_FirstTooLong(Texts());
    if (bad == 0) return false;
    QApplication::beep();
    Text1(bad).SetBackColor(kCustomYellow);
    Focus(Text1(bad));
    Label4.SetCaption(QStringLiteral("Exceeds 100 characters. Edit and Save again."));
    QApplication::beep();
    return true;
}

bool CustomForm::SaveSet() {
    Label4.SetCaption(QStringLiteral(" "));
    for (int i = 1; i <= kSetComments; ++i)
        Text1(i).SetBackColor(kWhite);
    if (StopAtTooLong()) return false;
    if (Text1(1).Text().trimmed().isEmpty()) {
        Info(QStringLiteral("No comments to save! You should write some comments before saving."));
        Focus(Text1(1));
        return false;
    }
    const QString name = CommentSet_Name(FileTxt.Text());
    if (name.isEmpty()) {
        Info(kEmptyName);
        Focus(FileTxt);
        return false;
    }
    if (CommentSet_BadName(name)) {
        Focus(FileTxt);
        return false;
    }
    QString error;
    if (!Comments_WriteFile(Com.UserPath + name + kCommentEnding, Texts(), &error)) {
        platform::MsgBox(QStringLiteral("The comment file could not be saved.\n%1").arg(error),
                         platform::vbCritical, QStringLiteral("Comment File"));
        return false;
    }
    if (name == Eng.Seat2Rec.RecCommentSet) UseCommentsNow();
    List_CommentFiles();
    if (Com.SoundMode != kSoundsOff) platform::Svc().sound->PlayAsync(Eng.SeatSounds(kSoundThanks));
    Label4.SetCaption(QStringLiteral("Custom Comments Saved!\r\n"));
    Check1.SetEnabled(true);
    changed_ = false;
    return true;
}

void CustomForm::ExportSet() {
    const QString name = CommentSet_Name(FileTxt.Text());
    const QString own = name.isEmpty() ? QString() : Media_FindNoCase(Com.UserPath, name + kCommentEnding);
    // Only a set saved in the user folder can be exported.
    if (Text1(1).Text().isEmpty() || own.isEmpty()) {
        Info(QStringLiteral(
            "No comments to export! Open an exisiting comment file or Save the current comment "
            "file first."));
        Focus(Command3(kCusOpen));
        return;
    }
    const QString to = platform::Picks().SaveFile(
        {QStringLiteral("Export Custom Comment file"), Com.DocsPath, name + kCommentEnding, kFilter});
    if (to.isEmpty()) return;
    QString error;
    if (!Media_CopyFile(Com.UserPath + own, to, &error))
        platform::MsgBox(QStringLiteral("The comment file could not be exported.\n%1").arg(error),
                         platform::vbCritical, QStringLiteral("Comment File"));
}

void CustomForm::UseCommentsNow() {
    Comments_UseNow(Texts());
}

void CustomForm::Check1_Click() {
    if (Check1.Value() != 1) return;
    Eng.Seat2Rec.RecCommentSet = CommentSet_Name(FileTxt.Text());
    UseCommentsNow();
}

void CustomForm::Text1_Change(int) {
    Label4.SetCaption(QStringLiteral(" "));
    changed_ = true;
}

void CustomForm::Command1_Click() {
    if (changed_ && platform::MsgBox(QStringLiteral("Do you want to save your changes?"), platform::vbYesNo,
                                     QString()) == platform::vbYes) {
        SaveSet();
        return;
    }
    Unload();
}

void CustomForm::ExitCus_Click() {
    Unload();
}

void CustomForm::HelpComments_Click() {
    Hooks.ShowHelp(QStringLiteral("Keyword"), QStringLiteral("Customizing Comments"));
}

CustomForm& frmCustom() {
    if (!Instance()) new CustomForm(); // lives until the program ends
    return *Instance();
}
