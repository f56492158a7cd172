#pragma once
// Our own emote icons and chat sounds, made in code and put into the user's
// Icons and Sounds folders where a file of that name is missing, as an
// installer would have left them.
#include <QImage>
#include <QString>
#include <QStringList>

inline constexpr int kEmoteSize = 32;
// The emote icons' names, without ".gif".
QStringList ChatArt_IconNames();
// The chat sounds' names, without ".wav".
QStringList ChatArt_SoundNames();
QImage ChatArt_Icon(const QString& name, int size = kEmoteSize);
// The WAVE file of a chat sound ("" for a name that is not ours).
QByteArray ChatArt_Sound(const QString& name);
void ChatArt_Install(const QString& userPath);
