#include "ui/controls.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The design face skips hinting for speed; it must measure exactly as the
// default hinting does, or captions and the click areas of radio buttons and
// check boxes would shift by a pixel.
TEST(DesignFont, MeasuresExactlyAsWithTheDefaultHinting)
{
    const QStringList texts{QStringLiteral("順繰り"), QStringLiteral("入力して単語の登録を行ってください。"),
                            QStringLiteral("Q.  次の単語のスペルを答えよ。"),
                            QStringLiteral("He ran quickly.")};
    for (const int px : {12, 13, 16, 37}) {
        const QFont ours = ui::designFont(px);
        ASSERT_EQ(ours.hintingPreference(), QFont::PreferNoHinting);
        QFont hinted = ours;
        hinted.setHintingPreference(QFont::PreferDefaultHinting);
        const QFontMetricsF a(ours);
        const QFontMetricsF b(hinted);
        EXPECT_EQ(a.height(), b.height()) << px;
        EXPECT_EQ(a.ascent(), b.ascent()) << px;
        for (const QString& text : texts)
            EXPECT_EQ(a.horizontalAdvance(text), b.horizontalAdvance(text))
                << px << ' ' << text.toStdString();
    }
}

} // namespace
