#include "AppFixture.h"

#include "OnModal.h"
#include "frmNewCar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QByteArray Name(const char (&thirteen)[14])
{
    return QByteArray(thirteen, 13);
}

// The user's part in the new-car dialog: type a name, choose a template (-1
// none) and press a button. Records the template list the dialog offered.
void AnswerNewCar(QStringList& offered, const QString& name, int templateCar, const char* button = "cmdOk")
{
    OnModal<frmNewCar>([&offered, name, templateCar, button](frmNewCar* dialog) {
        auto* cars = dialog->findChild<QComboBox*>(QStringLiteral("cmbCars"));
        offered.clear();
        for (int i = 0; i < cars->count(); ++i)
            offered << cars->itemText(i);
        if (cars->currentIndex() != -1 || !dialog->findChild<QLineEdit*>()->text().isEmpty())
            offered << QStringLiteral("<not fresh>");
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtName")), name);
        if (templateCar >= 0)
            cars->setCurrentIndex(templateCar);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
    });
}

TEST_F(MainWindowTest, RenameTrimsTheAnswerAndRefusesMoreThanTwelveCharacters)
{
    modLoad::CarTable cars = MakeCars(3);
    std::memcpy(cars[1].Name.data(), "  Wide Name  ", 13);
    const QString path = WriteLibrary(QStringLiteral("three.car"), cars);
    QByteArray expected = FileBytes(path);
    Load(path);
    ChooseCar(1);

    dialogs.answer(QStringLiteral("Thirteen Char")).answerOk().answer(QString()).answer(QStringLiteral("  Twelve Chars "));
    for (int i = 0; i < 3; ++i)
        Click("cmdEdit");
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Name too long")});
    EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("Please enter new name"));
    EXPECT_EQ(dialogs.shown[1].defaultText, QStringLiteral("Wide Name"));
    EXPECT_EQ(Selector()->currentText(), QStringLiteral("Twelve Chars"));
    EXPECT_EQ(Selector()->currentIndex(), 1);
    expected.replace(RecordOffset(1), 13, Name("Twelve Chars\0"));
    EXPECT_EQ(SaveAs(QStringLiteral("renamed.car")), expected);
}

TEST_F(MainWindowTest, AddCopiesTheTemplateUnderTheTypedNameAndSelectsIt)
{
    const QString path = WriteLibrary(QStringLiteral("three.car"), MakeCars(3));
    const QByteArray original = FileBytes(path);
    Load(path);
    ChooseCar(1);

    QStringList offered;
    AnswerNewCar(offered, QStringLiteral("Fifteen Letters"), 0);
    Click("cmdAdd");
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Car 0"), QStringLiteral("Car 1"), QStringLiteral("Car 2")}));
    EXPECT_EQ(Selector()->currentIndex(), 3);
    EXPECT_EQ(Selector()->currentText(), QStringLiteral("Fifteen Lette"));
    EXPECT_EQ(Setting(1), QStringLiteral("0.25"));
    AnswerNewCar(offered, QStringLiteral(" Lead"), 2);
    Click("cmdAdd");

    QByteArray fifteen = Record(original, 0), lead = Record(original, 2);
    fifteen.replace(0, 13, Name("Fifteen Lette"));
    lead.replace(0, 13, Name(" Lead\0       "));
    EXPECT_EQ(SaveAs(QStringLiteral("five.car")), LibraryFile({Record(original, 0), Record(original, 1),
                                                              Record(original, 2), fifteen, lead}));
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

TEST_F(MainWindowTest, NewCarDialogStaysOpenUntilCompleteAndCancelChangesNothing)
{
    const QString path = WriteLibrary(QStringLiteral("three.car"), MakeCars(3));
    Load(path);
    ChooseCar(1);
    dialogs.answerOk().answerOk().answerOk();
    bool stayedOpen = true;
    OnModal<frmNewCar>([&stayedOpen](frmNewCar* dialog) {
        auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"));
        for (const char* typed : {"", "   ", "Named"}) {
            QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtName")), QLatin1String(typed));
            QTest::mouseClick(ok, Qt::LeftButton);
            stayedOpen = stayedOpen && dialog->isVisible();
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    });
    Click("cmdAdd");
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Please enter a name"), QStringLiteral("Please enter a name"),
                                               QStringLiteral("Please select a template car")}));
    EXPECT_EQ(Selector()->count(), 3);
    EXPECT_EQ(Selector()->currentIndex(), 1);
    EXPECT_EQ(SaveAs(QStringLiteral("same.car")), FileBytes(path));
}

TEST_F(MainWindowTest, RemoveSelectsTheCarThatTakesThePlaceButKeepsTheOnlyCar)
{
    const QString path = WriteLibrary(QStringLiteral("five.car"), MakeCars(5));
    const QByteArray original = FileBytes(path);
    Load(path);
    ChooseCar(2);
    dialogs.answerNo().answerYes();
    Click("cmdRemove");
    Click("cmdRemove");
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Are you sure?"));
    EXPECT_EQ(dialogs.shown.back().style, ui::MsgStyle::YesNoQuestion);
    EXPECT_EQ(Selector()->currentText(), QStringLiteral("Car 3"));
    EXPECT_EQ(SaveAs(QStringLiteral("four.car")),
              LibraryFile({Record(original, 0), Record(original, 1), Record(original, 3), Record(original, 4)}));

    ChooseCar(3);
    dialogs.answerYes();
    Click("cmdRemove");
    EXPECT_EQ(Selector()->currentIndex(), 2);
    QStringList offered;
    AnswerNewCar(offered, QString(), -1, "cmdCancel");
    Click("cmdAdd");
    EXPECT_EQ(offered, (QStringList{QStringLiteral("Car 0"), QStringLiteral("Car 1"), QStringLiteral("Car 3")}));

    const QString one = WriteLibrary(QStringLiteral("one.car"), MakeCars(1));
    Load(one);
    dialogs.answerOk();
    Click("cmdRemove");
    EXPECT_EQ(dialogs.messages().size(), 4);
    EXPECT_EQ(dialogs.messages().back(), QStringLiteral("A library must keep at least one car."));
    EXPECT_EQ(SaveAs(QStringLiteral("one again.car")), FileBytes(one));
}

TEST_F(MainWindowTest, AFullLibraryRefusesAnotherCar)
{
    Load(WriteLibrary(QStringLiteral("one.car"), MakeCars(1)));
    modLoad::Cars->resize(modLoad::MaxCars, (*modLoad::Cars)[0]);
    bool opened = false;
    OnModal<frmNewCar>([&opened](frmNewCar* dialog) { opened = true; dialog->reject(); }, 20);
    dialogs.answerOk();
    Click("cmdAdd");
    QTest::qWait(300);
    EXPECT_FALSE(opened);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("A library holds at most 32767 cars.")});
    EXPECT_EQ(modLoad::Cars->size(), std::size_t{modLoad::MaxCars});
}

}  // namespace
