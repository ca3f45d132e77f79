#include "CInformazioniDlg.h"

#include "CSplashWnd.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString CInformazioniDlg::versionText()
{
    const QString digits = QString::number(Version);
    return digits.left(1) + QLatin1Char('.') + digits.mid(1);
}

QString CInformazioniDlg::buildText()
{
    return QStringLiteral("(Build %1)").arg(Build);
}

CInformazioniDlg::CInformazioniDlg(QWidget *parent)
    : QDialog(parent)
    , m_version(new QLabel(versionText(), this))
    , m_build(new QLabel(buildText(), this))
{
    setWindowTitle(QStringLiteral("Informazioni su Zanfira"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *logo = new QLabel(this);
    logo->setPixmap(CSplashWnd::picture().scaledToWidth(160, Qt::SmoothTransformation));
    top->addWidget(logo);
    auto *texts = new QVBoxLayout;
    auto *name = new QLabel(QStringLiteral("Zanfira"), this);
    QFont f = name->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 4);
    name->setFont(f);
    texts->addWidget(name);
    auto *versionRow = new QHBoxLayout;
    versionRow->addWidget(new QLabel(QStringLiteral("Versione"), this));
    versionRow->addWidget(m_version);
    versionRow->addWidget(m_build);
    versionRow->addStretch(1);
    texts->addLayout(versionRow);
    texts->addWidget(new QLabel(QStringLiteral("Copyright (C) Brellix S.r.l."), this));
    texts->addStretch(1);
    top->addLayout(texts);
    layout->addLayout(top);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}
