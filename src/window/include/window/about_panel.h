#pragma once

#include <QWidget>

// Tab "アバウト...".
class AboutPanel : public QWidget {
    Q_OBJECT
public:
    explicit AboutPanel(QWidget* tabControl);
};
