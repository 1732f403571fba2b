#pragma once

#include <QWidget>

class QLineEdit;
class GlyphButton;

// A search box: a magnifier, the text field with its prompt, and a clear button that shows
// only while there is text.
class SearchField : public QWidget
{
    Q_OBJECT

public:
    explicit SearchField(const QString &prompt, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLineEdit *m_edit;
    GlyphButton *m_clear;
};
