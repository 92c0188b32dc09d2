#include "Dialogs.h"

#include "QuitRequest.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace velmora {

namespace {

const QString caption = QStringLiteral("Velmora");

// A box does not outlive a request to end the program: it closes as if
// cancelled, and none opens afterwards.
int execUnlessEnding(QDialog &dialog)
{
    if (quitRequested())
        return QDialog::Rejected;
    QObject::connect(&QuitRequest::instance(), &QuitRequest::raised, &dialog, &QDialog::reject);
    return dialog.exec();
}

// Plain text always: a message that happens to contain '<' must not be read as HTML.
QMessageBox::StandardButton showBox(QMessageBox::Icon icon, const QString &text,
                                    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(execUnlessEnding(box));
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
        QInputDialog box(QApplication::activeWindow());
        box.setWindowTitle(title);
        box.setLabelText(prompt);
        box.setTextValue(initial);
        if (execUnlessEnding(box) != QDialog::Accepted)
            return std::nullopt;
        return box.textValue();
    }

    QString openFile(const QString &title, const QString &folder, const QString &filter) override
    {
        QFileDialog box(QApplication::activeWindow(), title, folder, filter);
        box.setFileMode(QFileDialog::ExistingFile);
        if (execUnlessEnding(box) != QDialog::Accepted || box.selectedFiles().isEmpty())
            return {};
        return box.selectedFiles().constFirst();
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
