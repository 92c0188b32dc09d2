#include "app/Fmenu.h"

#include "app/Pictures.h"
#include "platform/ErrorReport.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>

namespace velmora {

namespace {

const QSize image1Size(148, 145);
constexpr std::array<int, 3> fixedPanelWidths = {8, 260, 180};

} // namespace

QWidget *Tfrm_menu::addPage(const char *name, const QString &caption)
{
    auto *page = new QWidget(pgc_menu);
    page->setObjectName(QLatin1String(name));
    pgc_menu->addTab(page, caption);
    return page;
}

QPushButton *Tfrm_menu::exitButton(QWidget *page, const char *name)
{
    auto *button = new QPushButton(QStringLiteral("Esci"), page);
    button->setObjectName(QLatin1String(name));
    button->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    // Closing the window, which by the closing rule hides it.
    connect(button, &QPushButton::clicked, this, [this] { guarded([this] { close(); }); });
    return button;
}

QWidget *Tfrm_menu::addPageWithExit(const char *name, const QString &caption, const char *exitName)
{
    QWidget *page = addPage(name, caption);
    auto *layout = new QGridLayout(page);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);
    layout->addWidget(exitButton(page, exitName), 1, 1);
    return page;
}

void Tfrm_menu::buildPages()
{
    buildScadenzePage();
    p_feste = addPageWithExit("p_feste", QStringLiteral("Festività"), "BitBtn6");
    p_ente = addPageWithExit("p_ente", QStringLiteral("Ente gestore"), "BitBtn5");
    p_pc = addPageWithExit("p_pc", QStringLiteral("Utenti (Client)"), "BitBtn13");
    p_sca_ann = addPageWithExit("p_sca_ann", QStringLiteral("Scadenze annuali"), "BitBtn17");
    p_parametri = addPageWithExit("p_parametri", QStringLiteral("Parametri"), "BitBtn8");
    p_stampe = addPage("p_stampe", QStringLiteral("p_stampe"));
    selectPage(p_scadenze);
}

void Tfrm_menu::buildScadenzePage()
{
    p_scadenze = addPage("p_scadenze", QStringLiteral("Gestione scadenze"));

    lbl_oggi = new QLabel(p_scadenze);
    lbl_oggi->setObjectName(QStringLiteral("lbl_oggi"));
    QFont dayFont = lbl_oggi->font();
    dayFont.setPointSize(dayFont.pointSize() + 4);
    dayFont.setBold(true);
    lbl_oggi->setFont(dayFont);
    lbl_oggi->setAlignment(Qt::AlignCenter);

    Image1 = new QLabel(p_scadenze);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(image1Size);
    Image1->setScaledContents(true);
    Image1->setPixmap(pictures::logo(image1Size.width()));

    sbt_menu = new QToolButton(p_scadenze);
    sbt_menu->setObjectName(QStringLiteral("sbt_menu"));
    sbt_menu->setText(QStringLiteral("Funzioni aggiuntive"));
    sbt_menu->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sbt_menu, &QToolButton::clicked, this, guardedSlot(this, &Tfrm_menu::openMenuAtButton));
    connect(sbt_menu, &QToolButton::customContextMenuRequested, this,
            guardedSlot(this, &Tfrm_menu::openMenuAtButton));

    auto *hint = new QLabel(QStringLiteral("...attivabili anche cliccando con il tasto destro del mouse "
                                           "sull'icona in basso a destra vicino all'orologio..."),
                            p_scadenze);
    hint->setObjectName(QStringLiteral("lbl_funzioni"));
    hint->setWordWrap(true);
    hint->setStyleSheet(QStringLiteral("color: #800000;"));

    // The day on top; at the foot the picture, the menu button with its hint, and "Esci".
    auto *layout = new QGridLayout(p_scadenze);
    layout->addWidget(lbl_oggi, 0, 0, 1, 3);
    layout->setRowStretch(1, 1);
    layout->addWidget(Image1, 2, 0, 2, 1, Qt::AlignBottom);
    layout->addWidget(sbt_menu, 2, 1, Qt::AlignLeft | Qt::AlignBottom);
    layout->addWidget(hint, 3, 1, Qt::AlignTop);
    layout->addWidget(exitButton(p_scadenze, "BitBtn9"), 3, 2, Qt::AlignBottom);
    layout->setColumnStretch(1, 1);
}

void Tfrm_menu::buildStatusBar()
{
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setStyleSheet(QStringLiteral("QLabel { color: blue; font-weight: bold; }"));
    for (std::size_t i = 0; i < StatusBar1_panels.size(); ++i) {
        auto *panel = new QLabel(StatusBar1);
        panel->setObjectName(QStringLiteral("StatusBar1_%1").arg(i));
        const bool fixed = i < fixedPanelWidths.size();
        if (fixed)
            panel->setFixedWidth(fixedPanelWidths[i]);
        StatusBar1->addWidget(panel, fixed ? 0 : 1);
        StatusBar1_panels[i] = panel;
    }
}

} // namespace velmora
