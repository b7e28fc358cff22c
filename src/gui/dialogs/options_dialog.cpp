#include "gui/dialogs/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialogs/dialog_font.h"
#include "gui/dialogs/message_box.h"

namespace roamer::gui {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QComboBox* MakeList(QWidget* parent, const char* name, const QStringList& items) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(items);
    return list;
}

}  // namespace

const char* const OptionsDialog::kCountNotWhole = "播放次數必須是整數！";

OptionsDialog::OptionsDialog(app::OptionsDialogModel& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setFont(DialogFont());
    setWindowTitle(FromUtf8(app::OptionsDialogModel::kTitle));
    const DialogUnits units(font());

    auto* ok = new QPushButton(QStringLiteral("確定"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    for (auto* button : {ok, cancel}) button->setMinimumWidth(units.X(37));
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &OptionsDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MakePlaybackGroup());
    layout->addWidget(MakeAdvancedGroup());
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(units.X(177), units.Y(123));

    ShowValues();
}

QWidget* OptionsDialog::MakePlaybackGroup() {
    auto* group = new QGroupBox(QStringLiteral("播放控制"), this);
    m_speed = MakeList(group, "speed", {QStringLiteral("超快"), QStringLiteral("快"),
                                        QStringLiteral("適中"), QStringLiteral("慢")});
    m_pause = MakeList(group, "pause",
                       {QStringLiteral("短"), QStringLiteral("適中"), QStringLiteral("長")});
    m_count = new QLineEdit(group);
    m_count->setObjectName(QStringLiteral("count"));
    const DialogUnits units(font());
    m_count->setFixedWidth(units.X(32) + units.X(8));

    auto* speedLabel = new QLabel(QStringLiteral("播放速度"), group);
    auto* pauseLabel = new QLabel(QStringLiteral("暫停時間"), group);
    auto* countLabel = new QLabel(QStringLiteral("播放次數"), group);
    speedLabel->setBuddy(m_speed);
    pauseLabel->setBuddy(m_pause);
    countLabel->setBuddy(m_count);

    auto* grid = new QGridLayout(group);
    grid->addWidget(speedLabel, 0, 0);
    grid->addWidget(m_speed, 0, 1);
    grid->addWidget(pauseLabel, 0, 2);
    grid->addWidget(m_pause, 0, 3);
    grid->addWidget(countLabel, 1, 0);
    grid->addWidget(m_count, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("次/設計案"), group), 1, 2, 1, 2);
    grid->setColumnMinimumWidth(2, units.X(40));
    grid->setHorizontalSpacing(units.X(6));
    return group;
}

QWidget* OptionsDialog::MakeAdvancedGroup() {
    auto* group = new QGroupBox(QStringLiteral("進階設定"), this);
    m_editMode = new QCheckBox(QStringLiteral("編輯模式"), group);
    m_editMode->setObjectName(QStringLiteral("editMode"));
    m_wallCollision = new QCheckBox(QStringLiteral("牆面碰撞偵測"), group);
    m_wallCollision->setObjectName(QStringLiteral("wallCollision"));
    m_save = new QPushButton(QStringLiteral("儲存檔案"), group);
    m_save->setObjectName(QStringLiteral("saveDesign"));
    m_save->setAutoDefault(false);
    connect(m_editMode, &QCheckBox::clicked, this, &OptionsDialog::OnEditModeClicked);
    connect(m_save, &QPushButton::clicked, this, &OptionsDialog::OnSaveClicked);

    auto* grid = new QGridLayout(group);
    grid->addWidget(m_editMode, 0, 0);
    grid->addWidget(m_save, 0, 2);
    grid->addWidget(m_wallCollision, 1, 0);
    grid->setColumnStretch(1, 1);
    return group;
}

void OptionsDialog::ShowValues() {
    const app::PlayerSettings& values = m_model.values;
    m_speed->setCurrentIndex(values.speedIndex);
    m_pause->setCurrentIndex(values.pauseIndex);
    m_count->setText(QString::number(values.repeatCount));
    m_editMode->setChecked(values.editMode);
    m_wallCollision->setChecked(values.wallCollision);
    m_save->setEnabled(m_model.SaveEnabled());
}

bool OptionsDialog::TakeValues() {
    bool whole = false;
    const int count = m_count->text().trimmed().toInt(&whole);
    if (!whole) {
        ShowMessage(this, QString::fromUtf8(kCountNotWhole));
        m_count->setFocus();
        m_count->selectAll();
        return false;
    }
    app::PlayerSettings& values = m_model.values;
    values.repeatCount = count;
    values.speedIndex = m_speed->currentIndex();
    values.pauseIndex = m_pause->currentIndex();
    values.wallCollision = m_wallCollision->isChecked();
    values.editMode = m_editMode->isChecked();
    return true;
}

void OptionsDialog::OnEditModeClicked() {
    m_model.ToggleEditMode();
    m_editMode->setChecked(m_model.values.editMode);
    m_save->setEnabled(m_model.SaveEnabled());
}

void OptionsDialog::OnSaveClicked() {
    m_model.Save();
    m_save->setEnabled(m_model.SaveEnabled());
}

void OptionsDialog::accept() {
    if (!TakeValues()) return;
    const std::string_view message = m_model.Validate();
    if (!message.empty()) {
        ShowMessage(this, FromUtf8(message));
        m_count->setFocus();
        m_count->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace roamer::gui
