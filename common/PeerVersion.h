#pragma once
// A peer program's version code and the versions at which what it understands changed.
// Codes are two digits compared as text, as the peers have always compared them; each gate
// is the last version without what it names.
#include <QString>

// Sends no version in its identification, takes a stock of ranks only and no hand moves.
inline constexpr char kVersionRanksOnly[] = "40";
// Knows no house rules: it plays the defaults.
inline constexpr char kVersionDefaultRules[] = "51";
// Takes the host's name without the identification behind it.
inline constexpr char kVersionNameAlone[] = "61";
// Plays no chat sounds.
inline constexpr char kVersionNoChatSounds[] = "62";
// Sends no secure saved games.
inline constexpr char kVersionUnsecuredSaves[] = "73";
// Knows only the two-player, three-pile table and the first message and snapshot layouts.
inline constexpr char kOldPeerVersion[] = "74";
// Shows no emote pictures.
inline constexpr char kVersionNoEmotes[] = "81";
// Sends the shorter identification after its name.
inline constexpr char kVersionShortIdent[] = "84";

// The version is the gate's or an older one.
inline bool Version_AtMost(const QString& version, const char* gate) {
    return QString::compare(version, QLatin1String(gate)) <= 0;
}
// The version is newer than the gate.
inline bool Version_Above(const QString& version, const char* gate) {
    return !Version_AtMost(version, gate);
}
