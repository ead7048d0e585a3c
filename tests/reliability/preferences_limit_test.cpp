#include "store/failure.h"
#include "store/preferences.h"
#include "support/file_size_limit.h"
#include "support/fixtures.h"

#include <gtest/gtest.h>

namespace {

// The preferences file is written the way word files are: a write the disk
// cuts short is refused and the old file stays whole.
TEST(PreferencesFileSizeLimit, ACutWriteIsRefusedAndTheOldFileStays)
{
    TempFolder folder;
    const QByteArray old = "[wordfile]\r\ndefwordfile=words\\default.txt\r\n[other]\r\nkeep=this\r\n";
    folder.write(QStringLiteral("config/plimopref.ini"), old);
    const QByteArray longName(200, 'w');
    {
        FileSizeLimit limit(rlim_t(old.size()));
        ASSERT_TRUE(limit.ok());
        EXPECT_THROW(prefs::writeString(folder.prefsFile(), prefs::kSection, prefs::kKey, longName), Failure);
    }
    EXPECT_EQ(folder.read(QStringLiteral("config/plimopref.ini")), old);

    // Without the limit the same write goes through whole.
    prefs::writeString(folder.prefsFile(), prefs::kSection, prefs::kKey, longName);
    EXPECT_EQ(prefs::readString(folder.prefsFile(), prefs::kSection, prefs::kKey, {}), longName);
    EXPECT_EQ(prefs::readString(folder.prefsFile(), "other", "keep", {}), "this");
}

} // namespace
