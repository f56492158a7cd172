#pragma once
// The table window on a screen of a chosen width, laid out for a game size the
// way a change of game size does it.
#include "common/Shared.h"
#include "engine/Model.h"
#include "table/Design.h"
#include "table/Display.h"
#include "table/Layout.h"
#include "table/Piles.h"
#include "table/TableState.h"
#include "table/frmGrulm.h"
#include "tests/support/TableTest.h"

#include <QFile>
#include <QRectF>
#include <QStringList>
#include <cmath>
#include <memory>
#include <set>

class LayoutTest : public WindowTest {
  protected:
    // The display entries change the table as the menu's do.
    void SetUp() override {
        WindowTest::SetUp();
        Display_Install();
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

    // A fresh table on a screen, in a display mode (entered as the menu enters it), for a game size.
    void Table(int players, int centers, int twips, int layoutMode = 0) {
        Screen(twips);
        Mode(0);
        StartUp();
        GameSize(players, centers);
        if (layoutMode >= 2 && Com.LayoutMode < 2) Display_Change(1);
        if ((layoutMode & 1) != (Com.LayoutMode & 1)) Display_Change(0);
    }

    // A new window and table state, laid out from the two-player table.
    void NewTable(int players, int centers, int twips, int layoutMode = 0) {
        form = std::make_unique<FrmGrulm>();
        Table_ResetState();
        Com.NumPlayers = 2;
        Com.NumCenters = 3;
        Table(players, centers, twips, layoutMode);
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

// Reports the first line where two dumps differ.
inline void ExpectSameLines(const QString& got, const QString& want) {
    const QStringList g = got.split('\n'), w = want.split('\n');
    for (int i = 0; i < std::max(g.size(), w.size()); ++i) {
        const QString a = i < g.size() ? g[i] : QStringLiteral("<end>");
        const QString b = i < w.size() ? w[i] : QStringLiteral("<end>");
        if (a != b) {
            ADD_FAILURE() << "line " << i + 1 << ": " << a.toStdString() << " instead of " << b.toStdString();
            return;
        }
    }
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
    SCOPED_TRACE(file);
    ExpectSameLines(dump, QString::fromUtf8(in.readAll()));
}
#endif
