#include "app/AboutUnit.h"

#include "catalogue/DataFile.h"
#include "catalogue/NumberFormat.h"
#include "ui/Ansi.h"
#include "ui/Builder.h"
#include "ui/Pictures.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

QString VersionText() {
    // The version is a single: widened as it was written (1.1, not 1.10000002), then fixed.
    return QStringLiteral("Version ") + ui::FromAnsi(FormatFixed(SingleToDouble(FileVersion), 2)) +
           QStringLiteral(" (WIN") + QStringLiteral("95)");
}

TAboutForm::TAboutForm(QWidget *parent)
    : FormBase(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Trolleymind"));

    ui::Builder b(this);
    Panel1 = b.Add<QFrame>("Panel1");
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    b.On(Panel1);
    ProgramIcon = b.Label("ProgramIcon", {});
    ProgramIcon->setPixmap(ui::ProgramIcon().pixmap(QSize(32, 32)));
    ProductName = b.Label("ProductName", "Trolleymind");
    Comments = b.Label("Comments", "Household grocery shopping planner");
    Version = b.Label("Version", VersionText());
    for (QLabel *label : {ProgramIcon, ProductName, Comments, Version})
        label->setAlignment(Qt::AlignCenter);
    QFont name = ProductName->font();
    name.setPointSize(12);
    name.setBold(true);
    ProductName->setFont(name);

    auto *panel = new QVBoxLayout(Panel1);
    panel->setContentsMargins(16, 12, 16, 14);
    panel->setSpacing(6);
    panel->addWidget(ProgramIcon);
    panel->addSpacing(4);
    panel->addWidget(ProductName);
    panel->addWidget(Comments);
    panel->addWidget(Version);

    b.On(this);
    OKButton = b.Button("OKButton", "OK").Default();
    b.TabOrder();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addWidget(Panel1);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Panel1->setMinimumWidth(250);

    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
