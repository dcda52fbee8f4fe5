#include "Dialogs.h"
#include "NumberText.h"

#include "OnModal.h"
#include "QtPrinters.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <limits>

namespace {

using B = QDialogButtonBox;

void Press(QWidget* dialog, B::StandardButton which)
{
    if (QPushButton* button = dialog->findChild<B*>()->button(which))
        QTest::mouseClick(button, Qt::LeftButton);
}

// Enter answers a question Yes, and saves before unsaved changes go.
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

TEST(InputBox, ReturnsTheTypedTextAndEmptyOnCancel)
{
    for (const auto press : {B::Ok, B::Cancel}) {
        QString offered, answer = "unset";
        OnModal<QInputDialog>([&](QInputDialog* dialog) {
            offered = dialog->labelText() + "|" + dialog->textValue();
            dialog->findChild<QLineEdit*>()->selectAll();
            QTest::keyClicks(dialog->findChild<QLineEdit*>(), " Racer 2");
            Press(dialog, press);
        }, [&] { answer = ui::InputBox(nullptr, "Enter new value", "0.5"); });
        EXPECT_EQ(offered, "Enter new value|0.5");
        EXPECT_EQ(answer, press == B::Ok ? " Racer 2" : "");
    }
}

TEST(FileDialogs, ReturnTheChosenPathWithoutAskingToOverwriteOrEmptyOnCancel)
{
    QTemporaryDir folder;
    const QString existing = folder.filePath("existing.car"), fresh = folder.filePath("fresh.car");
    QFile(existing).open(QIODevice::WriteOnly);
    QStringList filters;
    // Chooses path in the file dialog that call opens and presses a button; returns what call returned.
    const auto answer = [&](QString (*call)(QWidget*, const QString&), const QString& path) {
        QString chosen = "unset";
        OnModal<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            if (path.isEmpty())
                return Press(dialog, B::Cancel);
            dialog->selectFile(path);
            // A question about overwriting would stay unanswered, and fail the test when closed.
            Press(dialog, dialog->acceptMode() == QFileDialog::AcceptOpen ? B::Open : B::Save);
        }, [&] { chosen = call(nullptr, "Car Files (*.car)|*.car"); });
        return QDir::cleanPath(chosen);
    };
    EXPECT_EQ(answer(ui::OpenFileDialog, existing), existing);
    EXPECT_EQ(filters, QStringList{"Car Files (*.car)"});
    EXPECT_EQ(answer(ui::SaveFileDialog, fresh), fresh);
    EXPECT_EQ(answer(ui::SaveFileDialog, existing), existing);
    EXPECT_EQ(answer(ui::SaveFileDialog, folder.filePath("plain")), folder.filePath("plain.car"));
    EXPECT_EQ(answer(ui::OpenFileDialog, QString()), QString());
}

TEST(NumberText, WritesSevenSignificantDigitsAndReadsThemBackInTheUsersLocale)
{
    QLocale::setDefault(QLocale::c());
    const std::pair<float, const char*> cases[] = {
        {0.5f, "0.5"}, {12.0f, "12"}, {-0.0f, "0"}, {2.0f / 3.0f, "0.6666667"}, {123456.7f, "123456.7"},
        {123456789.0f, "1.234568E+08"}, {-2.5e-10f, "-2.5E-10"}, {std::numeric_limits<float>::max(), "3.402823E+38"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(ui::SingleToText(value), QLatin1String(text));
        EXPECT_NEAR(ui::TextToSingle(QLatin1String(text)).value(), value, std::abs(value) * 1e-6f) << text;
    }
    EXPECT_EQ(ui::SingleToText(ui::TextToSingle(QStringLiteral(" 1.50 ")).value()), QStringLiteral("1.5"));
    for (const char* text : {"", "   ", "abc", "12abc", "1,5", "1e39", "-1e39", "inf", "nan"})
        EXPECT_FALSE(ui::TextToSingle(QLatin1String(text)).has_value()) << text;

    // Whole numbers are rounded from the digits, a half to the even one.
    const std::pair<const char*, std::optional<qint64>> wholes[] = {
        {"2.5000001", 3}, {"3.4999999", 3}, {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"0.5", 0}, {"0.50001", 1},
        {" 15 ", 15}, {"+7", 7}, {"0.049", 0}, {"2.55E+01", 26}, {"25e-1", 2}, {"1e-300", 0},
        {"999999999999999999.5", 1'000'000'000'000'000'000}, {"1e18", std::nullopt}, {"1,5", std::nullopt},
        {"12abc", std::nullopt}, {"", std::nullopt}};
    for (const auto& [text, whole] : wholes)
        EXPECT_EQ(ui::TextToWhole(QLatin1String(text)), whole) << text;

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(ui::SingleToText(123456789.0f), QStringLiteral("1,234568E+08"));
    EXPECT_EQ(ui::TextToSingle(QStringLiteral("1,50")), 1.5f);
    EXPECT_EQ(std::pair(ui::TextToWhole(QStringLiteral("2,5")), ui::TextToWhole(QStringLiteral("2,5000001"))),
              std::pair(std::optional<qint64>(2), std::optional<qint64>(3)));
    // A point groups thousands in German: refusing 1.500 beats reading it as 1500.
    EXPECT_FALSE(ui::TextToSingle(QStringLiteral("1.500")).has_value() || ui::TextToWhole(QStringLiteral("1.500")));
    QLocale::setDefault(QLocale::c());
}

}  // namespace
