#pragma once
// The chat window: the conversation, the entry box and its send button, the
// quick phrases, the emote icons and sounds of the user folder, the font, size
// and on-top buttons, and the options menu (logging, import and export, help).
#include "platform/Controls.h"

#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;
class QWidget;

// The chat's own menu; its file dialogs are the platform's Picks().
struct ChatDialogsT {
    // The options menu at the pointer: command ("Log", "Icon", "Sound", "Help") and item; "" when left.
    std::function<std::pair<QString, int>()> Options;
};
extern ChatDialogsT ChatDialogs;
// The real menu back in place.
void ChatDialogs_Reset();

inline constexpr int kQuickPhrases = 20;
// The largest icon the import takes, in pixels.
inline constexpr int kIconLimit = 141;

// The size button shrinks the window by this factor and grows it back; a narrow screen
// starts it shrunk.
inline constexpr double kChatShrink = 0.8, kChatGrow = 1.25;

class FrmChat : public platform::Form {
  public:
    FrmChat();

    QTextBrowser* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* CmdChat[kQuickPhrases + 1] = {};
    QListWidget *lstIcons = nullptr, *lstWavs = nullptr;
    QPushButton *cmdIcon = nullptr, *cmdShowSounds = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* imgIcon = nullptr;
    QPushButton* cmdText[2] = {};
    QPushButton *cmdSize = nullptr, *cmdOnTop = nullptr;
    QLabel *lblOptions = nullptr, *Label1 = nullptr;

    // The picked icon and sound.
    bool IconOn = false;
    QString IconName;
    QString ChatLine;
    QString ChatSoundName, ChatSoundFile;

    void OnTop(bool on);
    void GetSoundList();
    void GetIconList();
    void IconShow(const QString& path, bool show);
    QString ShortCutCheck(const QString& text);
    void ExportThis(const QString& kind);
    void ImportThis(const QString& kind);

    // Event handlers, public so tests can drive the window.
    void Command1_Click();
    void CmdChat_Click(int index);
    void lstIcons_Click(int row);
    void lstWavs_Click(int row);
    void cmdIcon_Click();
    void cmdShowSounds_Click();
    void cmdText_Click(int index);
    void cmdSize_Click();
    void cmdOnTop_Click();
    void lblOptions_Click();
    void Options_Chosen(const QString& command, int item);
    void Text2_Backspace();
    // A link of the conversation clicked.
    void Text1_LinkClicked(const QString& address);

    // The conversation shown again from the chat state.
    void ShowTranscript();
    // One more line at the end of the conversation shown.
    void ShowLine(const QString& line);
    // The quick phrases' tooltips from SeatComments 1 to 20.
    void SetPhrases();
    bool OnTopState() const { return onTopState_; }
    // The on-top button's picture: 0 "Always-on-top OFF", 1 "Always-on-top ON".
    void SetPin(int element);

  protected:
    void Form_Load() override;
    void Form_Unload() override;

  private:
    void BuildControls();
    // The rows of the window from the top: title, buttons and options link, the conversation,
    // quick phrases, entry box and Send.
    class QHBoxLayout* BuildTitleRow(QWidget* parent);
    class QHBoxLayout* BuildPhraseRow(QWidget* parent);
    class QHBoxLayout* BuildEntryRow(QWidget* parent);
    void BuildButtonRow(QWidget* parent, class QHBoxLayout* row);
    void ConnectHandlers();
    void LoadPhrases();
    void LogStart();
    void LogStop();
    QString DisplayLine(const QString& entry);
    void AddShownLine(const QString& line);
    bool onTopState_ = false;
    int shownLines_ = 0;
    bool sizeState_ = false;
};

// The one chat window, created (hidden) on first use.
FrmChat& frmChat();
bool ChatWindowExists();

// What the other parts of network play call.
// Opens the chat window, not modal.
void Chat_Open();
// Sets the whole conversation, as the connection window does with the host's address.
void Chat_SetTranscript(const QString& text);
// The send button on or off (off while an exchange is awaited).
void Chat_EnableSend(bool enabled);
// The entry box on or off.
void Chat_EnableEntry(bool enabled);
// Closes the chat window when it is open.
void Chat_Close();
// Shows the conversation again when the window exists.
void Chat_ShowTranscript();
// Shows one more line of the conversation when the window exists.
void Chat_ShowLine(const QString& line);
// Installs the chat's handlers into the network hooks.
void Chat_Install();
