#pragma once

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QRadioButton;

// A titled box of radio buttons answering with the index of the checked
// one. Exactly one item is checked at any time.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(QWidget* parent, const char* name, const QString& caption, const QRect& bounds,
               const QStringList& items);

    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* item(int index) const { return items_.at(static_cast<size_t>(index)); }
    int count() const { return static_cast<int>(items_.size()); }

private:
    QButtonGroup* group_;
    std::vector<QRadioButton*> items_;
};
