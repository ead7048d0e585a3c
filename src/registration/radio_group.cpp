#include "registration/radio_group.h"

#include "ui/group_frame_style.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace {
// The items share the box below its caption evenly, one line each.
constexpr int kFirstTop = 16;
constexpr int kPitch = 19;
constexpr int kItemHeight = 17;
constexpr int kInset = 8;
} // namespace

RadioGroup::RadioGroup(QWidget* parent, const char* name, const QString& caption, const QRect& bounds,
                       const QStringList& items)
    : QGroupBox(caption, parent), group_(new QButtonGroup(this))
{
    setObjectName(QString::fromLatin1(name));
    ui::useGroupFrameStyle(this);
    setGeometry(bounds);
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items.at(i), this);
        radio->setObjectName(QStringLiteral("%1Item%2").arg(objectName()).arg(i));
        radio->setGeometry(kInset, kFirstTop + i * kPitch, bounds.width() - 2 * kInset, kItemHeight);
        group_->addButton(radio, i);
        items_.push_back(radio);
    }
    // The checked item is the group's one tab stop, so Tab enters the group
    // at the current choice; the arrow keys move between the items.
    connect(group_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (!checked)
            return;
        for (int i = 0; i < count(); ++i)
            item(i)->setFocusPolicy(i == id ? Qt::StrongFocus : Qt::ClickFocus);
    });
    setItemIndex(0);
}

int RadioGroup::itemIndex() const
{
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < count())
        item(index)->setChecked(true);
}
