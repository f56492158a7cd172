#pragma once
// Writing and reading "Prefs.sav" in a test's temporary home.
#include "platform/RecordFile.h"
#include "shell/Profile.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

// A player's record made from the defaults.
inline PlayerPrefs Player(const QString& name) {
    PlayerPrefs p = Profile_Defaults();
    p.Identity(0).Name = name;
    return p;
}

// The profile file holding exactly these records, first to last.
inline void WriteFile(const std::vector<PlayerPrefs>& records) {
    QFile::remove(Profile_Path());
    platform::RecordFile f;
    ASSERT_TRUE(f.Open(Profile_Path(), PlayerPrefs::kSize));
    for (size_t i = 0; i < records.size(); ++i)
        ASSERT_TRUE(f.Write(static_cast<int>(i) + 1, records[i].Encode()));
}

inline PlayerPrefs Record(int recno) {
    PlayerPrefs p;
    EXPECT_TRUE(Prefs_ReadRecord(recno, &p)) << "record " << recno;
    return p;
}

inline QByteArray Bytes(const QString& path = Profile_Path()) {
    return FileBytes(path);
}
