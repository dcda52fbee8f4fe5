#include "Dialogs.h"

#include "OnModal.h"
#include "QtPrinters.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString CarFilter = QStringLiteral("Car Files (*.car)|*.car");

QPushButton* DialogButton(QWidget* dialog, QDialogButtonBox::StandardButton which)
{
    return dialog->findChild<QDialogButtonBox*>()->button(which);
}

TEST(MessageBox, ShowsEachStyleAndReportsOnlyYesAsYes)
{
    const std::tuple<ui::MsgStyle, QMessageBox::Icon, QMessageBox::StandardButton> cases[] = {
        {ui::MsgStyle::Ok, QMessageBox::NoIcon, QMessageBox::Ok},
        {ui::MsgStyle::OkExclamation, QMessageBox::Warning, QMessageBox::Ok},
        {ui::MsgStyle::OkInformation, QMessageBox::Information, QMessageBox::Ok},
        {ui::MsgStyle::YesNoQuestion, QMessageBox::Question, QMessageBox::Yes},
        {ui::MsgStyle::YesNoQuestion, QMessageBox::Question, QMessageBox::No},
    };
    for (const auto& [style, icon, press] : cases) {
        QString title;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
        OnModal<QMessageBox>([&, press = press](QMessageBox* box) {
            title = box->windowTitle();
            shownIcon = box->icon();
            buttons = box->standardButtons();
            QTest::mouseClick(box->button(press), Qt::LeftButton);
        });
        const ui::MsgAnswer answer = ui::MsgBox(nullptr, QStringLiteral("Are you sure?"), style);
        EXPECT_EQ(title, QStringLiteral("Velmar Car Editor"));
        EXPECT_EQ(shownIcon, icon);
        EXPECT_EQ(answer, press == QMessageBox::Yes ? ui::MsgAnswer::Yes
                          : press == QMessageBox::No ? ui::MsgAnswer::No
                                                     : ui::MsgAnswer::Ok);
        EXPECT_EQ(buttons.testFlag(QMessageBox::No), style == ui::MsgStyle::YesNoQuestion);
    }
    OnModal<QMessageBox>([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(ui::MsgBox(nullptr, QStringLiteral("Sure?"), ui::MsgStyle::YesNoQuestion, QStringLiteral("X")),
              ui::MsgAnswer::No);
}

TEST(InputBox, ReturnsTheTypedTextAndEmptyOnCancel)
{
    QString prompt, offered;
    OnModal<QInputDialog>([&](QInputDialog* dialog) {
        prompt = dialog->labelText();
        offered = dialog->textValue();
        auto* edit = dialog->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral(" Racer 2"));
        QTest::mouseClick(DialogButton(dialog, QDialogButtonBox::Ok), Qt::LeftButton);
    });
    EXPECT_EQ(ui::InputBox(nullptr, QStringLiteral("Enter new value"), QStringLiteral("0.5")), QStringLiteral(" Racer 2"));
    EXPECT_EQ(prompt, QStringLiteral("Enter new value"));
    EXPECT_EQ(offered, QStringLiteral("0.5"));

    OnModal<QInputDialog>([](QInputDialog* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(), QStringLiteral("12"));
        QTest::mouseClick(DialogButton(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    EXPECT_EQ(ui::InputBox(nullptr, QStringLiteral("Please enter new name"), QStringLiteral("Racer")), QString());
}

TEST(FileDialogs, ReturnTheTypedPathWithoutFurtherQuestionsOrEmptyOnCancel)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("existing.car"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QStringList filters;
    QString asked;
    const auto typePath = [&](const QString& path) {
        OnModal<QFileDialog>([&, path](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            // The dialog settles its folder and focus after it shows; keys typed earlier are lost.
            if (!QTest::qWaitFor([edit] { return QApplication::focusWidget() == edit; }))
                return;
            QTest::keyClicks(edit, path);
            // A question on Enter would block here: answer it so the test fails instead.
            OnModal<QMessageBox>([&asked](QMessageBox* question) { asked = question->text(); question->reject(); }, 30);
            QTest::keyClick(edit, Qt::Key_Return);
        });
    };

    typePath(existing);
    EXPECT_EQ(QDir::cleanPath(ui::OpenFileDialog(nullptr, CarFilter)), existing);
    EXPECT_EQ(filters, QStringList{QStringLiteral("Car Files (*.car)")});
    const QString fresh = folder.filePath(QStringLiteral("fresh.car"));
    typePath(fresh);
    EXPECT_EQ(QDir::cleanPath(ui::SaveFileDialog(nullptr, CarFilter)), fresh);
    typePath(existing);
    EXPECT_EQ(QDir::cleanPath(ui::SaveFileDialog(nullptr, CarFilter)), existing);
    EXPECT_EQ(asked, QString()) << "saving over a file is chosen once, not confirmed";

    OnModal<QFileDialog>([](QFileDialog* dialog) {
        QTest::mouseClick(DialogButton(dialog, QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    EXPECT_EQ(ui::OpenFileDialog(nullptr, CarFilter), QString());
    QTest::qWait(350);  // let the question watcher run out before the next test
}

TEST(QtFilter, TurnsBarSeparatedPairsIntoQtFilters)
{
    EXPECT_EQ(ui::QtFilter(QStringLiteral("Car Files (*.car)|*.car|All (*.*)|*.*")),
              QStringLiteral("Car Files (*.car);;All (*.*)"));
    EXPECT_EQ(ui::QtFilter(QStringLiteral("Libraries|*.car;*.bak")), QStringLiteral("Libraries (*.car *.bak)"));
    EXPECT_EQ(ui::QtFilter(QString()), QString());
}

}  // namespace
