#include "app/Splash.h"

#include "app/Pictures.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>

namespace velmora {

namespace {

constexpr int splashMs = 3000;
const QSize splashSize(520, 360);

QLabel *label(QWidget *parent, const char *name, const QString &text, int pointSize, bool bold)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    QFont font = l->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    l->setFont(font);
    return l;
}

} // namespace

TSplashScreen::TSplashScreen() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("splash"));
    setFixedSize(splashSize);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    auto *mark = new QLabel(this);
    mark->setObjectName(QStringLiteral("img_logo"));
    mark->setPixmap(pictures::logo(48));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("img_splash"));
    picture->setPixmap(pictures::banner(QSize(splashSize.width() - 40, 150)));
    picture->setAlignment(Qt::AlignCenter);

    QLabel *title = label(this, "lbl_titolo", QStringLiteral("VELMORA"), 32, true);
    title->setAlignment(Qt::AlignCenter);
    QLabel *loading = label(this, "lbl_caricamento", QStringLiteral("...caricamento in corso..."), 11, false);
    loading->setAlignment(Qt::AlignCenter);

    // The mark with the two names beside it, then picture, title and loading line.
    auto *layout = new QGridLayout(this);
    layout->addWidget(mark, 0, 0, 2, 1);
    layout->addWidget(label(this, "lbl_nome", QStringLiteral("Velmora 2.3"), 12, true), 0, 1,
                      Qt::AlignBottom);
    layout->addWidget(label(this, "lbl_descr", QStringLiteral("Gestione scadenze della segreteria"), 10, false),
                      1, 1, Qt::AlignTop);
    layout->setColumnStretch(2, 1);
    layout->addWidget(picture, 2, 0, 1, 3);
    layout->addWidget(title, 3, 0, 1, 3);
    layout->addWidget(loading, 4, 0, 1, 3);

    move(QGuiApplication::primaryScreen()->availableGeometry().center() - rect().center());

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setSingleShot(true);
    // A coarse timer may run out up to 5% early.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.start(splashMs);
}

void showSplash()
{
    TSplashScreen splash;
    splash.show();
    splash.repaint();
    while (splash.Timer1.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    splash.hide();
}

} // namespace velmora
