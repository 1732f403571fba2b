#pragma once

#include <QComboBox>

// A combo box that screen readers name by what it is for and read the current choice of as
// its value: "Feed format, combo box, Detect automatically". On Linux Qt names a combo box
// by its current text and drops its accessible name, leaving the label to a relation that
// not every reader follows (and none when the label is not shown). The name is the
// accessible name, or else the text of the label it is the buddy of.
class LabelledComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit LabelledComboBox(QWidget *parent = nullptr);
};
