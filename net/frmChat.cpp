#include "net/frmChat.h"
#include "common/Shared.h"
#include "engine/Model.h"
#include "engine/Seats.h"
#include "engine/TableForm.h"
#include "net/ChatLines.h"
#include "net/ChatState.h"
#include "net/NetHooks.h"
#include "platform/Connect.h"
#include "platform/Guard.h"
#include "platform/Services.h"
#include "shell/Profile.h"
#include "table/Backgrounds.h"
#include "table/WindowPlaces.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace {

FrmChat* g_form = nullptr;

const QString kSelectSound = QStringLiteral("-Select Sound:");
const QString kSelectIcon = QStringLiteral("-Select Icon:");
const QString kRefresh = QStringLiteral("(refresh)");
constexpr int kWavMark = 1, kPmwMark = 0;
constexpr int kButtonSize = 24; // pixels
constexpr int kIconBox = 32;
constexpr int kWindowWidth = 540, kWindowHeight = 380;
// The conversation keeps at least this many pixels (two lines and a half) on a small window.
constexpr int kTextLeast = 40, kRowGap = 3;
// Screens narrower than this many twips get the window at four fifths of its size.
constexpr int kNarrowScreen = 10000;

// The quick-phrase buttons in as few rows as the window's width lets them: the window made
// smaller for a small screen keeps every one in reach.
class PhraseStrip : public QWidget {
  public:
    explicit PhraseStrip(QWidget* parent) : QWidget(parent) {
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }
    QSize sizeHint() const override { return {Across(kQuickPhrases), kButtonSize}; }
    // One row: the window's least height for a width (ChatLayout) adds the rows it needs.
    QSize minimumSizeHint() const override { return {Across(kLeastColumns), kButtonSize}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        const int rows = (kQuickPhrases + Columns(width) - 1) / Columns(width);
        return rows * (kButtonSize + kPhraseGap) - kPhraseGap;
    }

  protected:
    void resizeEvent(QResizeEvent*) override {
        const int columns = Columns(width());
        int i = 0;
        for (QPushButton* b : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) {
            b->move(i % columns * (kButtonSize + kPhraseGap), i / columns * (kButtonSize + kPhraseGap));
            ++i;
        }
    }

  private:
    static constexpr int kLeastColumns = 7, kPhraseGap = 1;
    static int Across(int buttons) { return buttons * (kButtonSize + kPhraseGap) - kPhraseGap; }
    static int Columns(int width) { return std::max(1, (width + kPhraseGap) / (kButtonSize + kPhraseGap)); }
};

// The window's rows; its height for a width is the least that shows every row whole, the
// quick phrases in as many rows as that width needs.
class ChatLayout : public QVBoxLayout {
  public:
    using QVBoxLayout::QVBoxLayout;
    void SetStrip(const QWidget* strip) { strip_ = strip; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override {
        const int across = width - contentsMargins().left() - contentsMargins().right();
        const int more = strip_ ? strip_->heightForWidth(across) - strip_->minimumSizeHint().height() : 0;
        return minimumSize().height() + std::max(0, more);
    }

  private:
    const QWidget* strip_ = nullptr;
};

// The pin of the on-top button: pushed in (element 0) or lying loose (element 1).
QIcon PinPicture(int element) {
    QPixmap pm(kButtonSize, kButtonSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kButtonSize / 2.0, kButtonSize / 2.0);
    if (element == 1) p.rotate(-45);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.drawLine(QPointF(0, 2), QPointF(0, element == 0 ? 6 : 10));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 40, 40));
    p.drawEllipse(QPointF(0, -4), 6, 6);
    return QIcon(pm);
}

// A quick phrase's button: a speech bubble with its number.
QIcon PhrasePicture(int index) {
    QPixmap pm(kButtonSize, kButtonSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 110), 1.2));
    p.setBrush(QColor(250, 245, 210));
    p.drawRoundedRect(QRectF(1.5, 1.5, kButtonSize - 3, kButtonSize - 8), 5, 5);
    p.drawLine(QPointF(6, kButtonSize - 6.5), QPointF(5, kButtonSize - 1.5));
    QFont f = p.font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(0, 1, kButtonSize, kButtonSize - 8), Qt::AlignCenter, QString::number(index));
    return QIcon(pm);
}

QPushButton* SmallButton(QWidget* parent, const QString& text, const QString& tip) {
    auto* b = new QPushButton(text, parent);
    b->setFixedSize(kButtonSize + 4, kButtonSize + 4);
    b->setToolTip(tip);
    return b;
}

// Rows of a folder's files whose names end in one of `ends` (any case), by name.
void FillList(QListWidget* list, const QString& first, const QString& folder,
              const std::vector<std::pair<QString, int>>& ends, bool withPictures) {
    list->clear();
    list->addItem(first);
    for (const QString& f : QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        for (const auto& [end, mark] : ends)
            if (f.right(3).compare(end, Qt::CaseInsensitive) == 0) {
                auto* item = new QListWidgetItem(f.left(f.lastIndexOf(QLatin1Char('.'))), list);
                item->setData(Qt::UserRole, mark);
                if (withPictures) item->setIcon(QIcon(QDir(folder).filePath(f)));
            }
    list->addItem(kRefresh);
}

// Keys and mouse of the entry box and the title, which plain Qt signals do not give.
class ChatEvents : public QObject {
  public:
    explicit ChatEvents(FrmChat* form) : QObject(form->Window()), form_(form) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == form_->Text2 && e->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(e)->key() == Qt::Key_Backspace)
            platform::Guarded("frmChat.Text2_KeyDown", [&] { form_->Text2_Backspace(); });
        if (watched == form_->Text2 && e->type() == QEvent::MouseButtonPress) form_->lstWavs->hide();
        if (watched == form_->Label1 || watched == form_->Window()) Drag(e);
        return false;
    }

  private:
    // The window follows the pointer only while it moves with the left button held: a plain
    // click (on Options, say) leaves it where it is.
    void Drag(QEvent* e) {
        const auto type = e->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
            type != QEvent::MouseButtonRelease)
            return;
        const auto* m = static_cast<QMouseEvent*>(e);
        const QPoint at = m->globalPosition().toPoint();
        QWidget* window = form_->Window();
        if (type == QEvent::MouseButtonPress) {
            pressed_ = m->button() == Qt::LeftButton;
            moving_ = false;
            pressAt_ = at;
            return;
        }
        if (type == QEvent::MouseButtonRelease || !(m->buttons() & Qt::LeftButton) || !pressed_) {
            pressed_ = false;
            return;
        }
        if (!moving_) {
            if ((at - pressAt_).manhattanLength() < QApplication::startDragDistance()) return;
            // The window manager moves it where it can; it then has the pointer until the button is let go.
            if (QWindow* handle = window->windowHandle(); handle && handle->startSystemMove()) {
                pressed_ = false;
                return;
            }
            moving_ = true;
            windowFrom_ = window->pos();
        }
        window->move(windowFrom_ + (at - pressAt_));
    }

    FrmChat* form_;
    bool pressed_ = false, moving_ = false;
    QPoint pressAt_, windowFrom_;
};

} // namespace

FrmChat& frmChat() {
    if (!g_form) g_form = new FrmChat;
    return *g_form;
}

bool ChatWindowExists() {
    return g_form != nullptr;
}

FrmChat::FrmChat() : platform::Form("frmChat") {
    Window()->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    SetCaption(QStringLiteral(" GRULMful Thoughts "));
    BuildControls();
    SetClientSizePx(kWindowWidth, kWindowHeight);
}

void FrmChat::BuildControls() {
    QWidget* w = Window();
    auto* outer = new ChatLayout(w);
    outer->setContentsMargins(6, 4, 6, 6);
    outer->setSpacing(kRowGap);
    QHBoxLayout* title = BuildTitleRow(w);
    outer->addLayout(title);
    Text1 = new QTextBrowser(w);
    Text1->setOpenLinks(false);
    Text1->setMinimumHeight(kTextLeast);
    // The oldest lines go as new ones come; the transcript itself keeps its own length.
    Text1->document()->setMaximumBlockCount(kChatShownLines);
    outer->addWidget(Text1, 1);
    QHBoxLayout* phrases = BuildPhraseRow(w);
    outer->addLayout(phrases);
    outer->SetStrip(phrases->itemAt(0)->widget());
    outer->addLayout(BuildEntryRow(w));
    BuildButtonRow(w, title);
    title->addWidget(lblOptions);
    lstIcons = new QListWidget(w);
    lstWavs = new QListWidget(w);
    for (QListWidget* l : {lstIcons, lstWavs}) {
        l->hide();
        l->setFixedSize(180, 160);
    }
    ConnectHandlers();
}

QHBoxLayout* FrmChat::BuildTitleRow(QWidget* w) {
    auto* top = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral(" Grulmful Thoughts "), w);
    QFont title = Label1->font();
    title.setBold(true);
    Label1->setFont(title);
    Label1->setCursor(Qt::SizeAllCursor);
    lblOptions = new QLabel(QStringLiteral("<a href=\"options\"><u>O</u>ptions</a> "), w);
    // The title gives way to the buttons beside it on a narrow window; the window's edges and
    // gaps still drag it.
    Label1->setMinimumWidth(0);
    Label1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    top->addWidget(Label1, 1);
    return top;
}

QHBoxLayout* FrmChat::BuildPhraseRow(QWidget* w) {
    auto* phrases = new QHBoxLayout;
    auto* strip = new PhraseStrip(w);
    phrases->addWidget(strip, 1);
    for (int i = 1; i <= kQuickPhrases; ++i) {
        CmdChat[i] = new QPushButton(strip);
        CmdChat[i]->setIcon(PhrasePicture(i));
        CmdChat[i]->setFixedSize(kButtonSize, kButtonSize);
        platform::Connect(CmdChat[i], &QPushButton::clicked, "frmChat.CmdChat_Click",
                          [this, i] { CmdChat_Click(i); });
    }
    return phrases;
}

QHBoxLayout* FrmChat::BuildEntryRow(QWidget* w) {
    auto* entry = new QHBoxLayout;
    Picture1 = new QWidget(w);
    auto* pic = new QHBoxLayout(Picture1);
    pic->setContentsMargins(0, 0, 0, 0);
    Picture1->setMinimumHeight(kIconBox);
    imgIcon = new QLabel(Picture1);
    imgIcon->setFixedSize(kIconBox, kIconBox);
    imgIcon->setScaledContents(true);
    imgIcon->hide();
    Text2 = new QLineEdit(Picture1);
    pic->addWidget(imgIcon);
    pic->addWidget(Text2, 1);
    Command1 = new QPushButton(QStringLiteral("Send"), w);
    entry->addWidget(Picture1, 1);
    entry->addWidget(Command1);
    return entry;
}

void FrmChat::ConnectHandlers() {
    QWidget* w = Window();
    platform::Connect(Command1, &QPushButton::clicked, "frmChat.Command1_Click",
                      [this] { Command1_Click(); });
    platform::Connect(Text2, &QLineEdit::returnPressed, "frmChat.Command1_Click",
                      [this] { Command1_Click(); });
    platform::Connect(lstIcons, &QListWidget::itemClicked, "frmChat.lstIcons_Click",
                      [this](QListWidgetItem* it) { lstIcons_Click(lstIcons->row(it)); });
    platform::Connect(lstWavs, &QListWidget::itemClicked, "frmChat.lstWavs_Click",
                      [this](QListWidgetItem* it) { lstWavs_Click(lstWavs->row(it)); });
    platform::Connect(lblOptions, &QLabel::linkActivated, "frmChat.lblOptions_Click",
                      [this](const QString&) { lblOptions_Click(); });
    platform::Connect(Text1, &QTextBrowser::anchorClicked, "frmChat.Text1_Click",
                      [this](const QUrl& url) { Text1_LinkClicked(url.toString()); });
    auto* options = new QShortcut(QKeySequence(QStringLiteral("Alt+O")), w);
    platform::Connect(options, &QShortcut::activated, "frmChat.lblOptions_Click",
                      [this] { lblOptions_Click(); });
    auto* events = new ChatEvents(this);
    Text2->installEventFilter(events);
    Label1->installEventFilter(events);
    w->installEventFilter(events);
}

void FrmChat::BuildButtonRow(QWidget* w, QHBoxLayout* row) {
    cmdShowSounds = SmallButton(w, QStringLiteral("\u266B"), QStringLiteral("Send Sound"));
    cmdSize = SmallButton(w, QStringLiteral("\u2922"), QStringLiteral("Change window size"));
    cmdText[0] = SmallButton(w, QStringLiteral("A+"), QStringLiteral("Make font larger"));
    cmdText[1] = SmallButton(w, QStringLiteral("a-"), QStringLiteral("Make font smaller"));
    cmdOnTop = SmallButton(w, QString(), QStringLiteral("Keep this window on top"));
    cmdIcon = SmallButton(w, QStringLiteral("\u263A"), QStringLiteral("Send Picon"));
    row->setSpacing(0);
    for (QPushButton* b : {cmdShowSounds, cmdSize, cmdText[0], cmdText[1], cmdOnTop, cmdIcon})
        row->addWidget(b);
    auto click = [](QPushButton* b, const char* where, std::function<void()> f) {
        platform::Connect(b, &QPushButton::clicked, where, std::move(f));
    };
    click(cmdShowSounds, "frmChat.cmdShowSounds_Click", [this] { cmdShowSounds_Click(); });
    click(cmdIcon, "frmChat.cmdIcon_Click", [this] { cmdIcon_Click(); });
    click(cmdSize, "frmChat.cmdSize_Click", [this] { cmdSize_Click(); });
    click(cmdOnTop, "frmChat.cmdOnTop_Click", [this] { cmdOnTop_Click(); });
    click(cmdText[0], "frmChat.cmdText_Click", [this] { cmdText_Click(0); });
    click(cmdText[1], "frmChat.cmdText_Click", [this] { cmdText_Click(1); });
}

void FrmChat::Form_Load() {
    SetPin(0);
    onTopState_ = false;
    sizeState_ = false;
    IconOn = false;
    if (platform::Svc().screen->WidthTwips() < kNarrowScreen)
        SetClientSizePx(static_cast<int>(kWindowWidth * kChatShrink),
                        static_cast<int>(kWindowHeight * kChatShrink));
    LoadPhrases();
    Skin_Apply(*this);
    OnTop(true);
    for (int i = 1; i <= 3; ++i) {
        const QString name = SeatRecordOf(i + 1).RecName.trimmed();
        Com.ChatSoundPersons[static_cast<size_t>(i)] =
            name == QLatin1String(kDefaultOpponent) ? QString() : name;
    }
    GetSoundList();
    GetIconList();
    ShowTranscript();
}

void FrmChat::Form_Unload() {
    // The conversation goes with the window: the next connection's begins empty.
    Chat.Transcript.clear();
    OnTop(false);
    if (Chat.Log) Chat.Log->close();
    Chat.Log.reset();
    Chat.ChatLogOn = false;
}

void FrmChat::SetPin(int element) {
    cmdOnTop->setIcon(PinPicture(element));
    cmdOnTop->setToolTip(element == 0 ? QStringLiteral("Keep this window on top")
                                      : QStringLiteral("Keep this window on top (Always-on-top ON)"));
}

void FrmChat::LoadPhrases() {
    const QString set = Prof.Prefs.Identity(0).CommentSet.trimmed();
    if (set.isEmpty() || set == QLatin1String(kDefaultPersonality) || set == QLatin1String(kNoComments)) {
        for (int i = 1; i <= kQuickPhrases; ++i)
            Eng.SeatComments(i) = Eng.Seat2Rec.RecComments(i);
    } else {
        NetHooks.Comments_Load(set);
    }
    SetPhrases();
}

void FrmChat::SetPhrases() {
    for (int i = 1; i <= kQuickPhrases; ++i)
        CmdChat[i]->setToolTip(Eng.SeatComments(i));
}

void FrmChat::OnTop(bool on) {
    const bool shown = Window()->isVisible();
    Window()->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown) Window()->show();
}

void FrmChat::GetSoundList() {
    FillList(lstWavs, kSelectSound, Com.UserPath + QStringLiteral("Sounds"),
             {{QStringLiteral("WAV"), kWavMark}, {QStringLiteral("PMW"), kPmwMark}}, false);
}

void FrmChat::GetIconList() {
    FillList(lstIcons, kSelectIcon, Com.UserPath + QStringLiteral("Icons"),
             {{QStringLiteral("GIF"), 0}, {QStringLiteral("JPG"), 0}}, true);
}

void FrmChat::IconShow(const QString& path, bool show) {
    const QPixmap picture = show ? QPixmap(path) : QPixmap();
    imgIcon->setPixmap(picture);
    imgIcon->setVisible(show);
    if (!show) {
        IconOn = false;
        IconName.clear();
    }
}

namespace {
// A line of the conversation as it is shown: an address in it is a link.
QString LineHtml(const QString& line) {
    const QString link = Chat_LinkOf(line);
    QString shown = line.toHtmlEscaped();
    if (!link.isEmpty()) {
        const QString esc = link.toHtmlEscaped();
        shown.replace(shown.indexOf(esc), esc.size(), QStringLiteral("<a href=\"%1\">%1</a>").arg(esc));
    }
    return shown;
}
} // namespace

void FrmChat::AddShownLine(const QString& line) {
    QTextCursor end(Text1->document());
    end.movePosition(QTextCursor::End);
    if (shownLines_++ > 0) end.insertBlock(QTextBlockFormat(), QTextCharFormat());
    end.insertHtml(LineHtml(line));
}

void FrmChat::ShowTranscript() {
    Text1->clear();
    shownLines_ = 0;
    for (const QString& line : Chat.Transcript.split(QStringLiteral("\r\n")))
        AddShownLine(line);
    Text1->verticalScrollBar()->setValue(Text1->verticalScrollBar()->maximum());
}

void FrmChat::ShowLine(const QString& line) {
    AddShownLine(line);
    Text1->verticalScrollBar()->setValue(Text1->verticalScrollBar()->maximum());
}

void Chat_ShowTranscript() {
    if (g_form && g_form->Loaded()) g_form->ShowTranscript();
}

void Chat_ShowLine(const QString& line) {
    if (g_form && g_form->Loaded()) g_form->ShowLine(line);
}

void Chat_Open() {
    // Clear of the cards and buttons the player needs, the DEAL button a remote must press above all.
    ToolWindow_Open(frmChat(), TableSpot::ClearOfTable, false);
}

void Chat_SetTranscript(const QString& text) {
    Chat.Transcript = text;
    Chat_ShowTranscript();
}

void Chat_EnableSend(bool enabled) {
    FrmChat& f = frmChat();
    if (!f.Loaded()) f.Load();
    f.Command1->setEnabled(enabled);
}

void Chat_EnableEntry(bool enabled) {
    FrmChat& f = frmChat();
    if (!f.Loaded()) f.Load();
    f.Text2->setEnabled(enabled);
}

void Chat_Close() {
    if (g_form && g_form->Loaded()) g_form->Unload();
}
