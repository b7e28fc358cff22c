#include "player_test_support.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <set>

namespace roamer::gui::test {

void AnswerFileDialog(const QString& path) {
    WhenModal<QFileDialog>([path](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (name == nullptr) {
            dialog->reject();
            return;
        }
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
}

void AnswerMessageBox(int button, QString* shown) {
    WhenModal<QMessageBox>([button, shown](QMessageBox* box) {
        if (shown != nullptr) *shown = box->text();
        QAbstractButton* chosen = box->button(static_cast<QMessageBox::StandardButton>(button));
        if (chosen != nullptr) QTest::mouseClick(chosen, Qt::LeftButton);
        else box->reject();
    });
}

int DistinctColours(const QImage& image, int enough) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y) & 0xFFFFFFu);
            if (static_cast<int>(colours.size()) >= enough) return enough;
        }
    return static_cast<int>(colours.size());
}

double MeanBrightness(const QImage& image) {
    double sum = 0.0;
    long count = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2, ++count) sum += qGray(image.pixel(x, y));
    return count == 0 ? 0.0 : sum / static_cast<double>(count);
}

double ChangedShare(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 1.0;
    long changed = 0;
    long count = 0;
    for (int y = 0; y < a.height(); y += 2)
        for (int x = 0; x < a.width(); x += 2, ++count)
            if ((a.pixel(x, y) & 0xFFFFFFu) != (b.pixel(x, y) & 0xFFFFFFu)) ++changed;
    return count == 0 ? 0.0 : static_cast<double>(changed) / static_cast<double>(count);
}

QString SamplesFolder() { return QStringLiteral(ROAMER_SOURCE_DIR "/samples"); }

QString ScreenshotFolder() {
    const QString folder = QStringLiteral(ROAMER_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    return folder;
}

}  // namespace roamer::gui::test
