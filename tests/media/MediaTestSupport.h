#pragma once
// A fresh install folder and user folders for each media test.
#include "common/Shared.h"
#include "media/MediaState.h"
#include "media/Personality.h"
#include "shell/Folders.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

class MediaTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Media_Reset();
        Folders_SetAppPath(home->Path() + "/app");
        QDir().mkpath(home->Path() + "/app/Data/PMS");
        QString error;
        ASSERT_TRUE(Folders_Init(&error)) << error.toStdString();
    }
    void TearDown() override {
        Folders_SetAppPath(QString());
        Media_Reset();
        GameTest::TearDown();
    }
    QString Pms(const QString& file) const { return Com.AppPath + "/Data/PMS/" + file; }
    // A personality whose every text names where it came from.
    static Personality Tagged(const QString& tag) {
        Personality p;
        for (int k = 0; k <= kPersonComments; ++k)
            p.Comments(k) = QStringLiteral("%1 c%2").arg(tag).arg(k);
        for (int c = 0; c <= 1; ++c)
            for (int i = 1; i <= kPersonSounds; ++i)
                p.Sounds(c, i) = QStringLiteral("%1-%2-%3.wav").arg(tag).arg(c).arg(i);
        p.Sounds(0, 0) = "2";
        p.DefaultAvatar = tag + ".jpg";
        return p;
    }
};
