#pragma once
// The table window as designed: which controls and array elements exist before
// any game size is laid out, with their first sizes, looks and texts, and the
// natural sizes of the pictures whose size the layout reads. The window is
// designed for an 800-pixel screen; the layout moves almost everything.
#include "engine/TableForm.h"

#include <QFont>
#include <QString>
#include <functional>
#include <vector>

namespace design {

struct Size {
    double w = 0, h = 0;
};

// The client area the window opens with.
constexpr Size kClient{800, 570};

// Center frames: three piles in a row (imgCenterH, imgCenterHM) and the 2 x 2
// block (imgCenterV, imgCenterVM), each with a margin round the piles.
constexpr Size kCenterFrameH{260, 125};
constexpr Size kCenterFrameV{182, 227};

constexpr Size kLargeCard{71, 96};
constexpr Size kSmallCard{59, 80};
constexpr Size kTurnMarker{32, 24};
constexpr Size kAvatar{130, 130};
constexpr Size kMenuIcon{18, 18};
constexpr Size kEmoteIcon{32, 32};
constexpr Size kDealButton{75, 20};
constexpr Size kWildLabel{24, 16};
// One line of a label's text, and a name label wide enough for a 20-character login name in bold.
constexpr double kLabelLine = 16;
constexpr Size kNameLabel{160, 16};
constexpr Size kTipArrow{32, 32};

// The table's colours (0x00BBGGRR).
constexpr quint32 kTableGreen = 0x00408000;
constexpr quint32 kCenterEmpty = 0x0080C0FF;
constexpr quint32 kWhite = 0x00FFFFFF;
constexpr quint32 kYellow = 0x0000FFFF;
constexpr quint32 kPaleYellow = 0x0080FFFF;
constexpr quint32 kLightYellow = 0x00C0FFFF;
constexpr quint32 kPanelGrey = 0x00C0C0C0;

// The one font family of the table's texts.
inline const char* const kFontFamily = "DejaVu Sans";
// A font of the table's family, to be sized: copied, not made again, as layouts make many.
inline QFont TableFont() {
    static const QFont font(QString::fromLatin1(kFontFamily));
    return font;
}

enum class Kind { Picture, Image, Label, Shape, Button, Bar };

// One control, or elements first..last of a control array (first = last = -1 for
// a single control). Positions and sizes are pixels of the client area.
struct Entry {
    const char* name = "";
    Kind kind = Kind::Label;
    int first = -1, last = -1;
    double left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    QString caption{}, tooltip{};
    quint32 back = 0x8000000F, fore = 0;
    int border = 0;
    int backStyle = 1; // labels: 0 transparent
    int align = 0;     // labels: 0 left, 1 right, 2 centre
    bool wrap = false;
    double fontSize = 8.25;
    bool bold = false;
    bool stretch = false; // images
    double stepX = 0;     // arrays: each element this much right of the one before
    bool array() const { return first >= 0; }
};

// Every control of the table window, in the stacking order they get (later ones on top).
const std::vector<Entry>& Table();
// The entry of a control, or of the array range that holds element index.
const Entry* Find(const QString& name, int index = -1);

} // namespace design

// Every control of the window that exists now, arrays element by element.
void Design_ForEachControl(TableForm& f, const std::function<void(platform::Control&)>& fn);

// Creates the design-time elements of the table window and gives every control
// its designed look; the window gets its designed client size.
void Design_Apply(TableForm& f);
