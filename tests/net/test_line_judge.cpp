// The one decision over every received line: every code, bare, with its fields and damaged,
// at every moment a program can be in.
#include "common/NetCodes.h"
#include "net/LineJudge.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCodes[] = {kNetIP, kNetNM, kNetGS, kNetDK, kNetTR, kNetLost, kNetPC,
                          kNetWT, kNetOK, kNetRC, kNetRS, kNetLO, kNetEG};
unsigned Bits(std::initializer_list<int> kinds) {
    unsigned b = 0;
    for (int k : kinds)
        b |= LineBit(k);
    return b;
}

// What a line of each shape must get: taken as it is due, passed over when nothing awaits
// it, refused when it is damaged and a wait needs it.
LineVerdict Expected(const LineMoment& m, int kind, bool bare, bool readable) {
    if (kind == kNetLost) return LineVerdict::Take;
    const bool answer = m.answer == kind;
    const bool message = (m.messages & LineBit(kind)) != 0;
    const bool needed = answer || (m.needed & LineBit(kind)) != 0;
    if (!readable) return needed ? LineVerdict::Refuse : LineVerdict::PassOver;
    // A move, stock or start without its fields is the answer form: taken only as an answer.
    const bool fielded =
        (Bits({kNetIP, kNetNM, kNetLO, kNetDK, kNetTR, kNetPC, kNetRC}) & LineBit(kind)) != 0;
    if (fielded) return (bare ? answer : message) ? LineVerdict::Take : LineVerdict::PassOver;
    // A bare code with something after it is damaged.
    if (!bare) return needed ? LineVerdict::Refuse : LineVerdict::PassOver;
    return answer || message ? LineVerdict::Take : LineVerdict::PassOver;
}

TEST(LineJudge, EveryCodeInEveryShapeAtEveryMoment) {
    const unsigned always = Bits({kNetGS, kNetEG, kNetLO, kNetRC});
    const std::pair<const char*, LineMoment> moments[] = {
        {"a caller not yet identified", {0, Bits({kNetIP}), 0}},
        {"a caller identified, its name due", {0, Bits({kNetNM}), 0}},
        {"a remote between games", {0, always, 0}},
        {"a remote after its DEAL press", {0, always | Bits({kNetDK}), Bits({kNetDK})}},
        {"a remote awaiting the first player", {0, always | Bits({kNetTR}), Bits({kNetTR})}},
        {"a remote awaiting the resume", {0, always | Bits({kNetRS}), Bits({kNetRS})}},
        {"a remote on its own turn, its move answered", {kNetPC, always, 0}},
        {"a remote on its own turn, its WT answered", {kNetWT, always, 0}},
        {"a remote while the host moves", {0, always | Bits({kNetPC}), Bits({kNetPC})}},
        {"a remote after the host's play", {0, always | Bits({kNetWT}), Bits({kNetWT})}},
        {"a remote after the host's side card", {0, always | Bits({kNetWT, kNetOK}), Bits({kNetWT, kNetOK})}},
        {"a remote at the stalemate", {0, always | Bits({kNetOK}), 0}},
        {"a remote at an empty stock", {0, always | Bits({kNetPC, kNetDK}), Bits({kNetPC, kNetDK})}},
        {"the host awaiting the start's answer", {kNetGS, 0, 0}},
        {"the host awaiting an older program", {0, Bits({kNetGS}), 0}},
        {"the host on its own turn", {kNetOK, 0, 0}},
        {"the host while another seat moves", {0, 0, 0}},
        {"the host while this seat moves", {0, Bits({kNetPC}), Bits({kNetPC})}},
        {"the host after this seat's discard", {0, Bits({kNetOK}), Bits({kNetOK})}},
    };
    for (const auto& [what, now] : moments) {
        for (int kind : kCodes)
            for (bool bare : {true, false})
                for (bool readable : {true, false})
                    EXPECT_EQ(Line_Judge(now, {kind, bare, readable}), Expected(now, kind, bare, readable))
                        << what << ": code " << kind << (bare ? " bare" : " with fields")
                        << (readable ? "" : ", damaged");
        // An unknown code is never news.
        EXPECT_EQ(Line_Judge(now, {kNetNone, false, false}), LineVerdict::PassOver) << what;
    }
}

} // namespace
