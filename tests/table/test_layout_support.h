#pragma once
// The table window on a screen of a chosen width, laid out for a game size the
// way a change of game size does it.
#include "common/Shared.h"
#include "engine/Model.h"
#include "table/Design.h"
#include "table/Layout.h"
#include "table/Piles.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QRectF>
#include <QStringList>
#include <cmath>
#include <memory>
#include <set>

class LayoutTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        TableHooks_Reset();
        form = std::make_unique<FrmGrulm>();
    }
    void TearDown() override {
        form.reset();
        TableHooks_Reset();
        GameTest::TearDown();
    }

    // The window fitted to a screen that many twips wide (its outer width is the
    // screen's), with the avatar at its right edge as the avatar code puts it.
    void Screen(int twips) {
        Tbl.ScreenWidthTwips = twips;
        svc.screen->widthTwips = twips;
        const double px = twips / 15.0;
        form->SetClientSizePx(static_cast<int>(px), static_cast<int>(design::kClient.h));
        const double margin = twips < 13000 ? 10 : 20;
        form->ImgAvatar.SetGeometryPx(px - margin - design::kAvatar.w, 0, design::kAvatar.w,
                                      design::kAvatar.h);
    }

    // The card size of a display mode: large below 2, small from 2.
    void Mode(int layoutMode) {
        Com.LayoutMode = layoutMode;
        Tbl.CardWidth = layoutMode < 2 ? 71 : 59;
        Tbl.CardHeight = layoutMode < 2 ? 96 : 80;
    }

    // What the player set-up makes once per run.
    void StartUp() {
        Stacks_LoadImages();
        Highlights_LoadImages();
    }

    // A change of game size as every caller makes it.
    void GameSize(int players, int centers) {
        Com.PrevPlayers = Com.NumPlayers;
        Com.PrevCenters = Com.NumCenters;
        Com.NumPlayers = players;
        Com.NumCenters = centers;
        Layout_SetGameSize(Com.PrevPlayers, Com.PrevCenters);
    }

    // A fresh table on a screen, in a display mode, for a game size.
    void Table(int players, int centers, int twips, int layoutMode = 0) {
        Screen(twips);
        Mode(layoutMode);
        StartUp();
        GameSize(players, centers);
    }

    // Every element that exists, as "Name(index)".
    std::set<QString> Existing() {
        std::set<QString> all;
        Design_ForEachControl(*form, [&](platform::Control& c) {
            all.insert(c.Index() >= 0 ? QStringLiteral("%1(%2)").arg(c.Name()).arg(c.Index()) : c.Name());
        });
        return all;
    }

    static QRectF Rect(const platform::Control& c) {
        return QRectF(c.LeftPx(), c.TopPx(), c.WidthPx(), c.HeightPx());
    }

    std::unique_ptr<FrmGrulm> form;
};

// Names of elements first..last of an array.
inline std::set<QString> Elements(const char* name, int first, int last) {
    std::set<QString> s;
    for (int i = first; i <= last; ++i)
        s.insert(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(i));
    return s;
}

inline std::set<QString> Union(std::initializer_list<std::set<QString>> parts) {
    std::set<QString> all;
    for (const auto& p : parts)
        all.insert(p.begin(), p.end());
    return all;
}

#ifdef GOLDEN_DIR
// Compares a layout dump with its reviewed golden file; UPDATE_GOLDEN=1 writes it instead.
inline void CompareGolden(const QString& dump, const char* file) {
    const QString path = QStringLiteral(GOLDEN_DIR "/%1.txt").arg(QLatin1String(file));
    if (qEnvironmentVariableIsSet("UPDATE_GOLDEN")) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
        out.write(dump.toUtf8());
        GTEST_SKIP() << "written " << path.toStdString();
    }
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "missing golden dump " << path.toStdString();
    const QStringList want = QString::fromUtf8(in.readAll()).split('\n');
    const QStringList got = dump.split('\n');
    for (int i = 0; i < std::max(want.size(), got.size()); ++i) {
        const QString w = i < want.size() ? want[i] : QStringLiteral("<end>");
        const QString g = i < got.size() ? got[i] : QStringLiteral("<end>");
        ASSERT_EQ(g.toStdString(), w.toStdString()) << file << " line " << i + 1;
    }
}
#endif
