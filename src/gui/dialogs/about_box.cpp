#include "gui/dialogs/about_box.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/dialog_font.h"
#include "roamer_version.h"

namespace roamer::gui {

void ShowAboutBox(QWidget* parent) {
    QDialog box(parent);
    box.setObjectName(QStringLiteral("aboutBox"));
    box.setFont(DialogFont());
    box.setWindowTitle(QStringLiteral("關於Roamer"));
    const DialogUnits units(box.font());

    auto* icon = new QLabel(&box);
    const int side = units.Y(24);
    icon->setPixmap(QIcon(QStringLiteral(":/roamer/about/roamer_icon.svg")).pixmap(side, side));
    icon->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(QStringLiteral("Roamer v" ROAMER_VERSION), &box);
    name->setObjectName(QStringLiteral("version"));
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont nameFont = name->font();
    nameFont.setPointSize(12);
    nameFont.setBold(true);
    name->setFont(nameFont);

    auto* ok = new QPushButton(QStringLiteral("確定"), &box);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    ok->setMinimumWidth(units.X(40));
    QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);

    auto* line = new QHBoxLayout;
    line->setSpacing(units.X(10));
    line->addWidget(icon);
    line->addWidget(name, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(&box);
    layout->setContentsMargins(units.X(10), units.Y(10), units.X(10), units.Y(7));
    layout->addLayout(line);
    layout->addSpacing(units.Y(8));
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    box.setMinimumWidth(units.X(170));
    box.exec();
}

}  // namespace roamer::gui
