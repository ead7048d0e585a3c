#include "registration/radio_group.h"

#include "ui/group_frame_style.h"

#include <QButtonGroup>
#include <QEvent>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace {

constexpr int kItemHeight = 17;
constexpr int kInset = 8;

// The items share the inside of the frame evenly, one line each, as the
// style draws the frame: the caption's height and the frame's edges depend
// on the style and the font, so the places are worked out again whenever
// either changes. (Fixed places from the top of the box put the first item
// across the frame's top edge.)
class ItemLayout : public QObject {
public:
    explicit ItemLayout(RadioGroup* group) : QObject(group), group_(group)
    {
        group->installEventFilter(this);
    }

    void layOut() const
    {
        QStyleOptionGroupBox option;
        option.initFrom(group_);
        option.text = group_->title();
        option.lineWidth = 1;
        option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect inside = group_->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                             QStyle::SC_GroupBoxContents, group_);
        const int count = group_->count();
        if (count == 0)
            return;
        const int pitch = inside.height() / count;
        const int top = inside.top() + (inside.height() - pitch * count) / 2 + (pitch - kItemHeight) / 2;
        for (int i = 0; i < count; ++i)
            group_->item(i)->setGeometry(kInset, top + i * pitch, group_->width() - 2 * kInset, kItemHeight);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Polish:
        case QEvent::FontChange:
        case QEvent::StyleChange:
        case QEvent::Resize: layOut(); break;
        default: break;
        }
        return false;
    }

private:
    RadioGroup* group_;
};

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
        group_->addButton(radio, i);
        items_.push_back(radio);
    }
    (new ItemLayout(this))->layOut();
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
