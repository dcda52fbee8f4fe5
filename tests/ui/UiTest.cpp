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

#include <functional>

namespace {

using B = QDialogButtonBox;

void Press(QWidget* box, B::StandardButton which) { QTest::mouseClick(box->findChild<B*>()->button(which), Qt::LeftButton); }

// Enter answers a question Yes, saves before unsaved changes go, and keeps a file from being replaced.
TEST(MessageBox, ShowsTheStyleUnderTheAppNameAndReportsTheButtonPressed)
{
    const std::tuple<ui::MsgStyle, QMessageBox::Icon, B::StandardButton, ui::MsgAnswer> cases[] = {
        {ui::MsgStyle::Ok, QMessageBox::NoIcon, B::Ok, ui::MsgAnswer::Ok},
        {ui::MsgStyle::OkExclamation, QMessageBox::Warning, B::Ok, ui::MsgAnswer::Ok},
        {ui::MsgStyle::YesNoQuestion, QMessageBox::Question, B::NoButton, ui::MsgAnswer::Yes},
        {ui::MsgStyle::YesNoQuestion, QMessageBox::Question, B::No, ui::MsgAnswer::No},
        {ui::MsgStyle::SaveDiscardCancel, QMessageBox::Warning, B::NoButton, ui::MsgAnswer::Save},
        {ui::MsgStyle::SaveDiscardCancel, QMessageBox::Warning, B::Discard, ui::MsgAnswer::Discard},
        {ui::MsgStyle::SaveDiscardCancel, QMessageBox::Warning, B::Cancel, ui::MsgAnswer::Cancel},
        {ui::MsgStyle::YesNoWarning, QMessageBox::Warning, B::NoButton, ui::MsgAnswer::No},
        {ui::MsgStyle::YesNoWarning, QMessageBox::Warning, B::Yes, ui::MsgAnswer::Yes},
    };
    for (const auto& [style, icon, press, expected] : cases) {
        QString title;
        QMessageBox::Icon shownIcon{};
        ui::MsgAnswer answer{};
        OnModal<QMessageBox>([&, press = press](QMessageBox* box) {
            title = box->windowTitle(), shownIcon = box->icon();
            press == B::NoButton ? QTest::keyClick(box, Qt::Key_Return) : Press(box, press);
        }, [&, style = style] { answer = ui::MsgBox(nullptr, "Are you sure?", style); });
        EXPECT_EQ(std::tuple(title, shownIcon, answer), std::tuple("Velmar Car Editor", icon, expected));
    }
}

// Wide enough for its title, which a title bar centres on the window between up to three buttons a side (80
// pixels on Wayland), whatever its text; given no window, over the modal one the user is in.
TEST(MessageBox, ShowsItsWholeTitleOverTheWindowTheUserIsIn)
{
    QWidget owner;
    owner.setWindowModality(Qt::ApplicationModal), owner.setGeometry(100, 100, 700, 500), owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    int room = -1;
    bool over = false;
    OnModal<QMessageBox>([&](QMessageBox* box) {
        QFont bold = box->font();
        bold.setBold(true);
        const QFontMetrics metrics(bold);
        room = box->width() - metrics.horizontalAdvance(box->windowTitle()) - 2 * 80;
        over = box->parentWidget() == &owner && (box->geometry().center() - owner.geometry().center()).manhattanLength() <= 2;
    }, [] { ui::MsgBox(nullptr, "Name too long"); });
    EXPECT_GE(room, 0);
    EXPECT_TRUE(over);
}

TEST(InputBox, ReturnsTheTypedTextAndEmptyOnCancel)
{
    for (const auto press : {B::Ok, B::Cancel}) {
        QString offered, answer = "unset";
        OnModal<QInputDialog>([&](QInputDialog* dialog) {
            offered = dialog->labelText() + "|" + dialog->textValue();
            dialog->findChild<QLineEdit*>()->selectAll(), QTest::keyClicks(dialog->findChild<QLineEdit*>(), " Racer 2");
            Press(dialog, press);
        }, [&] { answer = ui::InputBox(nullptr, "Enter new value", "0.5"); });
        EXPECT_EQ(offered + "|" + answer, QString("Enter new value|0.5|") + (press == B::Ok ? " Racer 2" : ""));
    }
}

// A save dialog given a file opens on its folder with its name chosen.
TEST(FileDialogs, ReturnTheChosenPathWithoutAskingToOverwriteOrEmptyOnCancel)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath("existing.car"), filter = "Car Files (*.car)|*.car";
    QFile(existing).open(QIODevice::WriteOnly);
    QStringList filters;
    QString offered;
    // Chooses path in the file dialog that call opens and presses a button; returns what call returned.
    const auto answer = [&](const std::function<QString()>& call, const QString& path) {
        QString chosen = "unset";
        OnModal<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            offered = dialog->directory().filePath(dialog->findChild<QLineEdit*>("fileNameEdit")->text());
            if (path.isEmpty()) return Press(dialog, B::Cancel);
            dialog->selectFile(path);
            // A question about overwriting would stay unanswered, and fail the test when closed.
            Press(dialog, dialog->acceptMode() == QFileDialog::AcceptOpen ? B::Open : B::Save);
        }, [&] { chosen = call(); });
        return QDir::cleanPath(chosen);
    };
    const auto open = [&] { return ui::OpenFileDialog(nullptr, filter); };
    const auto save = [&] { return ui::SaveFileDialog(nullptr, filter); };
    EXPECT_EQ((QStringList{answer(open, existing), filters.join('|'), answer(save, existing),
                           answer(save, folder.filePath("plain")), answer(open, QString())}),
              (QStringList{existing, "Car Files (*.car)", existing, folder.filePath("plain.car"), ""}));
    EXPECT_EQ(answer([&] { return ui::SaveFileDialog(nullptr, filter, {}, existing); }, QString()) + offered, existing);
}

}  // namespace
