#include "AppFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QtEndian>

modLoad::CarTable MakeCars(int count)
{
    modLoad::CarTable cars(static_cast<std::size_t>(count));
    std::uint8_t bytes[modLoad::RecordSize];
    for (int car = 0; car < count; ++car) {
        for (int i = 0; i < modLoad::RecordSize; ++i)
            bytes[i] = static_cast<std::uint8_t>(car * 37 + i * 11 + (i >> 8));
        modLoad::DecodeRecord(bytes, cars[car]);
        for (int i = 0; i < modLoad::ParameterCount; ++i)
            cars[car].Parameters[i] = static_cast<float>(car) + 0.25f * static_cast<float>(i);
        cars[car].Name = modLoad::StoredName(QStringLiteral("Car %1").arg(car));
    }
    return cars;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Record(const QByteArray& file, int car)
{
    return file.mid(RecordOffset(car), modLoad::RecordSize);
}

QByteArray LibraryFile(const QList<QByteArray>& records)
{
    QByteArray file(modLoad::HeaderSize, '\0');
    qToLittleEndian<qint32>(modLoad::RecordSize, file.data());
    qToLittleEndian<qint32>(static_cast<qint32>(records.size()), file.data() + 4);
    return file + records.join();
}

void MainWindowTest::SetUp()
{
    QLocale::setDefault(QLocale::c());
    modLoad::Cars.reset();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

void MainWindowTest::TearDown()
{
    EXPECT_EQ(dialogs.unexpected, 0) << "a dialog was shown that the test did not expect";
    modLoad::Cars.reset();
}

QComboBox* MainWindowTest::Selector() const
{
    return window.findChild<QComboBox*>(QStringLiteral("cmbCars"));
}

QTreeWidget* MainWindowTest::Details() const
{
    return window.findChild<QTreeWidget*>(QStringLiteral("lstDetails"));
}

bool MainWindowTest::Enabled(const char* control) const
{
    const auto* widget = window.findChild<QWidget*>(QLatin1String(control));
    return widget && widget->isEnabled();
}

QString MainWindowTest::Setting(int row) const
{
    const QTreeWidgetItem* item = Details()->topLevelItem(row);
    return item ? item->text(1) : QString();
}

QString MainWindowTest::WriteLibrary(const QString& fileName, const modLoad::CarTable& cars)
{
    const QString path = folder.filePath(fileName);
    EXPECT_TRUE(modLoad::SaveCars(path, cars).ok);
    return path;
}

void MainWindowTest::Click(const char* button)
{
    QTest::mouseClick(window.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

void MainWindowTest::Load(const QString& path)
{
    dialogs.answer(path);
    Click("cmdLoad");
}

QByteArray MainWindowTest::SaveAs(const QString& fileName)
{
    dialogs.answer(folder.filePath(fileName));
    Click("cmdSave");
    return FileBytes(folder.filePath(fileName));
}

void MainWindowTest::ChooseCar(int index)
{
    QComboBox* combo = Selector();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QModelIndex item = combo->model()->index(index, 0);
    list->scrollTo(item);
    // Item rectangles may be wider than the open list; click inside it.
    const QPoint at(list->viewport()->width() / 2, list->visualRect(item).center().y());
    QTest::mouseMove(list->viewport(), at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

void MainWindowTest::ActivateRow(int row, bool byKeyboard)
{
    QTreeWidget* list = Details();
    list->scrollToItem(list->topLevelItem(row));
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (byKeyboard)
        QTest::keyClick(list, Qt::Key_Return);
    else
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}
