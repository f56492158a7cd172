#pragma once
// The table's background picture, tiled or stretched, or the plain mat colour,
// stepped through from the keyboard; the skin of the tool windows; and the label
// check that shows every label of the table with its name.
#include "platform/Controls.h"

#include <QImage>
#include <QString>
#include <functional>

// What the backgrounds need of the shell and the media code; each starts neutral.
struct BackgroundLinks {
    // The index last chosen by cycling, kept in the profile; 0 before the first cycle.
    std::function<int()> LastBackground = [] { return 0; };
    std::function<void(int index)> SetLastBackground = [](int) {};
    // The hint shown before the first cycle.
    std::function<QString()> HintText;
    // Rebuilds Tbl.BackgroundList and BackgroundCount from the user's Backgrounds folder.
    std::function<void()> List_Backgrounds;
};
extern BackgroundLinks BgLinks;
void Backgrounds_ResetLinks();

// The picture files of the user's Backgrounds folder, sorted, the default board first.
void Backgrounds_ReadFolder();
// The index after one step: 1 to count are pictures, count + 1 the mat colour.
int Background_Step(int index, int count, bool forward);
// A background key: Space (32) and Down (40) step forward, any other key back.
void Background_Cycle(int key);
// Paints the picture BackgroundIndex names onto the table window, tiled or stretched.
void Background_Load();
// True while a picture (not the mat colour) is chosen.
bool Background_Chosen();
// The picture tiled at its own size over an area, each tile no larger than the area.
QImage Background_Tiled(const QImage& picture, QSize area);
void Background_Paint(platform::Form& target, const QImage& picture);
// A picture that can be shown: loaded, and neither width nor height 0.
bool Picture_Usable(const QImage& picture);

// The skin's colour and texture for the current look (0x00BBGGRR).
quint32 Skin_Colour();
void Skin_Apply(platform::Form& form);
void Labels_ShowAll();

// Wires the background hooks of the display code; the list is read when it is empty.
void Backgrounds_Install();
