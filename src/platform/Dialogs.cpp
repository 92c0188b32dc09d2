#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace velmora {

namespace {

const QString caption = QStringLiteral("Velmora");

// Plain text always: a message that happens to contain '<' must not be read as HTML.
QMessageBox::StandardButton showBox(QMessageBox::Icon icon, const QString &text,
                                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

class QtDialogs final : public Dialogs {
public:
    bool question(const QString &text) override
    {
        return showBox(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes;
    }
    void warning(const QString &text) override { showBox(QMessageBox::Warning, text, QMessageBox::Ok); }
    void information(const QString &text) override
    {
        showBox(QMessageBox::Information, text, QMessageBox::Ok);
    }
    void error(const QString &text) override { showBox(QMessageBox::Critical, text, QMessageBox::Ok); }
    void plain(const QString &text) override { showBox(QMessageBox::NoIcon, text, QMessageBox::Ok); }

    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &initial) override
    {
        bool accepted = false;
        const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                   QLineEdit::Normal, initial, &accepted);
        if (!accepted)
            return std::nullopt;
        return text;
    }

    QString openFile(const QString &title, const QString &folder, const QString &filter) override
    {
        return QFileDialog::getOpenFileName(QApplication::activeWindow(), title, folder, filter);
    }
};

QtDialogs qtDialogs;
Dialogs *installed = &qtDialogs;

} // namespace

Dialogs &dialogs()
{
    return *installed;
}

void setDialogs(Dialogs *replacement)
{
    installed = replacement ? replacement : &qtDialogs;
}

} // namespace velmora
