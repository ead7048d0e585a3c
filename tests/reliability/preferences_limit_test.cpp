#include "store/failure.h"
#include "store/preferences.h"
#include "support/fixtures.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

// Lowers this process's file-size limit for one scope. SIGXFSZ is ignored
// meanwhile, so a write past the limit fails instead of killing the suite.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit lower{bytes, saved_.rlim_max};
        ok_ = setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    bool ok() const { return ok_; }

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
    bool ok_ = false;
};

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
