#pragma once

#include <QLineEdit>

namespace velmora {

// A field with a fixed input mask whose blanks stay spaces. On leaving it, a
// text that is neither blank nor a whole valid value is refused: the field
// takes the focus back and the general error report names the text.
class MaskedEdit : public QLineEdit {
    Q_OBJECT
public:
    // The text as shown, blanks included ("  /  /    " when empty). Hides
    // QLineEdit::text(), which drops the blanks.
    QString text() const { return displayText(); }
    // True for the empty form of the mask.
    bool isBlank() const { return text() == m_blank; }

protected:
    // mask: QLineEdit's mask syntax; what: the words after "non è un" in the
    // refusal ("data valida").
    MaskedEdit(const QString &mask, const QString &what, QWidget *parent);

    // True when the whole text reads as a value.
    virtual bool isValidText(const QString &text) const = 0;

    void focusOutEvent(QFocusEvent *event) override;

private:
    bool acceptable() const { return isBlank() || isValidText(text()); }
    void refuse();

    QString m_what;
    QString m_blank;
};

} // namespace velmora
