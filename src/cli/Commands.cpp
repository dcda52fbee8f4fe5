#include "Commands.h"

#include "CarText.h"
#include "ContactSheet.h"
#include "JsonSource.h"
#include "LibraryDiff.h"
#include "LibraryJson.h"
#include "NumberText.h"
#include "modOBJ.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>

#include <cstdio>
#include <functional>
#include <optional>

#include <unistd.h>

namespace cli {

using modLoad::CarRecord;
using modLoad::CarTable;

namespace {

void print(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
}

// Says why an input is refused; the exit status for it. Names and paths in
// the message come from outside and are made printable.
int refuse(const QString& message)
{
    std::fprintf(stderr, "velmar-car: %s\n", qPrintable(Printable(message)));
    return ExitRefused;
}

void note(const QString& message)
{
    std::fprintf(stderr, "velmar-car: note: %s\n", qPrintable(Printable(message)));
}

QString shown(const QString& path)
{
    return u'"' + Printable(QDir::toNativeSeparators(path)) + u'"';
}

// OUT "-" is the standard output.
bool toStandardOutput(const QString& path)
{
    return path == QLatin1String("-");
}

std::optional<CarTable> load(const QString& path)
{
    CarTable cars;
    const modLoad::FileResult loaded = modLoad::LoadCars(path, cars);
    if (!loaded) {
        refuse(loaded.message);
        return std::nullopt;
    }
    return cars;
}

// A position when the text is a whole number, else a name, raw or as lists
// print it (controls escaped).
std::optional<std::size_t> findCar(const CarTable& cars, const QString& which, const QString& path)
{
    static const QRegularExpression digits(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+")));
    const QString range = cars.size() == 1 ? QStringLiteral("1 car, at position 0")
                                           : QStringLiteral("%1 cars, at positions 0 to %2").arg(cars.size()).arg(cars.size() - 1);
    if (digits.match(which).hasMatch()) {
        bool ok = false;
        const qulonglong position = which.toULongLong(&ok);
        if (ok && position < cars.size())
            return static_cast<std::size_t>(position);
        refuse(QStringLiteral("%1 holds %2; there is no car at position %3.").arg(shown(path), range, which));
        return std::nullopt;
    }
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < cars.size(); ++i)
        if (modLoad::NameAsShown(cars[i].Name) == which || PrintableName(cars[i].Name) == which)
            found.push_back(i);
    if (found.size() == 1)
        return found.front();
    if (found.empty()) {
        refuse(QStringLiteral("%1 holds no car named \"%2\"; \"velmar-car list\" shows the names.").arg(shown(path), which));
    } else {
        QStringList positions;
        for (const std::size_t i : found)
            positions << QString::number(i);
        refuse(QStringLiteral("%1 holds %2 cars named \"%3\", at positions %4; give a position.")
                   .arg(shown(path), QString::number(found.size()), which, positions.join(QStringLiteral(", "))));
    }
    return std::nullopt;
}

// A library, and the position in it of the car the command line names.
struct ChosenCar {
    CarTable cars;
    std::size_t position;
};

std::optional<ChosenCar> loadCar(const QString& path, const QString& which)
{
    std::optional<CarTable> cars = load(path);
    const std::optional<std::size_t> position = cars ? findCar(*cars, which, path) : std::nullopt;
    if (!position)
        return std::nullopt;
    return ChosenCar{std::move(*cars), *position};
}

QString facts(const CarRecord& car)
{
    const QStringList faults = ModelFaults(car);
    return faults.isEmpty() ? QString() : QStringLiteral("  (outside the model: %1)").arg(faults.join(QStringLiteral("; ")));
}

int list(const QStringList& args)
{
    const std::optional<CarTable> cars = load(args[0]);
    if (!cars)
        return ExitRefused;
    const int positionWidth = static_cast<int>(QString::number(cars->size() - 1).size());
    qsizetype nameWidth = 0;
    for (const CarRecord& car : *cars)
        nameWidth = std::max(nameWidth, PrintableName(car.Name).size());
    QString text;
    for (std::size_t i = 0; i < cars->size(); ++i) {
        const CarRecord& car = (*cars)[i];
        // One pass over the pattern, so a % in a name is never taken for a marker.
        const int polys = modLoad::ClaimedPolys(car);
        text += QStringLiteral("%1  %2  %3 %4  %5 %6%7\n")
                    .arg(QString::number(i).rightJustified(positionWidth),
                         PrintableName(car.Name).leftJustified(nameWidth),
                         QString::number(car.VertexCount).rightJustified(2),
                         QString::fromLatin1(car.VertexCount == 1 ? "vertex" : "vertices").leftJustified(8),
                         QString::number(polys).rightJustified(2), QLatin1String(polys == 1 ? "triangle" : "triangles"),
                         facts(car));
    }
    print(text);
    return ExitOk;
}

// For shell completion: each car's name as list prints it, one a line.
int names(const QStringList& args)
{
    const std::optional<CarTable> cars = load(args[0]);
    if (!cars)
        return ExitRefused;
    QString text;
    for (const CarRecord& car : *cars)
        text += PrintableName(car.Name) + u'\n';
    print(text);
    return ExitOk;
}

int show(const QStringList& args)
{
    const std::optional<ChosenCar> chosen = loadCar(args[0], args[1]);
    if (!chosen)
        return ExitRefused;
    const CarRecord& car = chosen->cars[chosen->position];
    modLoad::FillParameterNames();
    const auto row = [](const QString& name, const QString& value) { return QStringLiteral("%1  %2\n").arg(name, -25).arg(value); };
    QString text = QStringLiteral("\"%1\", car %2 of %3 in %4\n\n")
                       .arg(PrintableName(car.Name), QString::number(chosen->position),
                            QString::number(chosen->cars.size()), shown(args[0]));
    for (int i = 0; i < modLoad::ParameterCount; ++i)
        text += row(modLoad::ParameterNames[i], numbertext::SingleToText(car.Parameters[i]));
    text += u'\n' + row(QStringLiteral("Vertices"), QString::number(car.VertexCount)) +
            row(QStringLiteral("Triangles"), QString::number(modLoad::ClaimedPolys(car)));
    for (const QString& fault : ModelFaults(car))
        text += QStringLiteral("Outside the model: %1.\n").arg(fault);
    print(text);
    return ExitOk;
}

// What the library file holds that no table of cars keeps: the editor reads
// 1344-byte records whatever the header says, and stops after the last one.
// Only a file can be read again; a pipe or a device would give other bytes or none.
void noteWhatIsNotKept(const QString& path, std::size_t count)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return;
    const QByteArray header = file.read(4);
    const std::int32_t recordSize =
        header.size() == 4
            ? static_cast<std::int32_t>(modLoad::ReadLittle32(reinterpret_cast<const std::uint8_t*>(header.constData())))
            : modLoad::RecordSize;
    if (recordSize != modLoad::RecordSize)
        note(QStringLiteral("%1 gives its record size as %2; records are read as %3 bytes, and build writes %3.")
                 .arg(shown(path), QString::number(recordSize), QString::number(modLoad::RecordSize)));
    const qint64 extra = file.size() - modLoad::HeaderSize - static_cast<qint64>(count) * modLoad::RecordSize;
    if (extra == 1)
        note(QStringLiteral("the byte after the last car of %1 belongs to no car and is not in the dump.").arg(shown(path)));
    else if (extra > 1)
        note(QStringLiteral("the %1 bytes after the last car of %2 belong to no car and are not in the dump.")
                 .arg(QString::number(extra), shown(path)));
}

int dump(const QStringList& args)
{
    const std::optional<CarTable> cars = load(args[0]);
    if (!cars)
        return ExitRefused;
    noteWhatIsNotKept(args[0], cars->size());
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered) || !DumpJson(*cars, out))
        return refuse(QStringLiteral("Could not write the standard output: %1.").arg(out.errorString()));
    return ExitOk;
}

int build(const QStringList& args)
{
    const QString& input = args[0];
    const QString& output = args[1];
    if (toStandardOutput(output) && isatty(STDOUT_FILENO))
        return refuse(QStringLiteral("A library is binary and is not written to a terminal; redirect the standard "
                                     "output, or give OUT a file name."));
    if (!toStandardOutput(output) && modLoad::SameFile(input, output))
        return refuse(QStringLiteral("%1 is the JSON to read; write the library to another file.").arg(shown(output)));
    JsonSource json(input);
    const JsonLibrary library = BuildFromJson(json);
    if (!json.Fault().isEmpty())
        return refuse(json.Fault());
    if (!library.error.isEmpty())
        return refuse(QStringLiteral("%1 is not a car library in JSON: %2.")
                          .arg(input == QLatin1String("-") ? QStringLiteral("The standard input") : shown(input),
                               library.error));
    if (toStandardOutput(output)) {
        const auto count = static_cast<qsizetype>(library.cars.size());
        QByteArray bytes(modLoad::HeaderSize + count * modLoad::RecordSize, Qt::Uninitialized);
        auto* out = reinterpret_cast<std::uint8_t*>(bytes.data());
        modLoad::WriteLittle32(modLoad::RecordSize, out);
        modLoad::WriteLittle32(static_cast<std::uint32_t>(count), out + 4);
        for (qsizetype k = 0; k < count; ++k)
            modLoad::EncodeRecord(library.cars[k], out + modLoad::HeaderSize + k * modLoad::RecordSize);
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
        return ExitOk;
    }
    const modLoad::FileResult saved = modLoad::SaveCars(output, library.cars);
    return saved ? ExitOk : refuse(saved.message);
}

int diff(const QStringList& args)
{
    const std::optional<CarTable> a = load(args[0]);
    if (!a)
        return ExitRefused;
    const std::optional<CarTable> b = load(args[1]);
    if (!b)
        return ExitRefused;
    const QStringList lines =
        DiffLines(*a, *b, Printable(QDir::toNativeSeparators(args[0])), Printable(QDir::toNativeSeparators(args[1])));
    print(lines.isEmpty() ? QStringLiteral("The two libraries hold the same cars, byte for byte.\n")
                          : lines.join(u'\n') + u'\n');
    return ExitOk;
}

int exportObj(const QStringList& args)
{
    const QString& output = args[2];
    if (!toStandardOutput(output) && modLoad::SameFile(args[0], output))
        return refuse(QStringLiteral("%1 is the library to read; write the OBJ to another file.").arg(shown(output)));
    const std::optional<ChosenCar> chosen = loadCar(args[0], args[1]);
    if (!chosen)
        return ExitRefused;
    const CarRecord& car = chosen->cars[chosen->position];
    const QString title = QStringLiteral("%1, car %2 of %3")
                              .arg(PrintableName(car.Name), QString::number(chosen->position),
                                   QFileInfo(args[0]).fileName());
    if (toStandardOutput(output)) {
        QByteArray text;
        if (const QString fault = modOBJ::ModelText(car, title, text); !fault.isEmpty())
            return refuse(QStringLiteral("Cannot export \"%1\": %2").arg(PrintableName(car.Name), fault));
        std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()), stdout);
        return ExitOk;
    }
    const modLoad::FileResult saved = modOBJ::ExportOBJ(output, car, title);
    return saved ? ExitOk : refuse(saved.message);
}

int render(const QStringList& args)
{
    const QString& output = args[1];
    if (!output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return refuse(QStringLiteral("render writes PNG pictures; give the output a name that ends in .png."));
    const std::optional<CarTable> cars = load(args[0]);
    if (!cars)
        return ExitRefused;
    // A library too large for one sheet gets several, named for the positions they show.
    const std::size_t sheets = (cars->size() + SheetCars - 1) / SheetCars;
    QStringList paths;
    for (std::size_t first = 0; first < cars->size(); first += SheetCars) {
        const std::size_t last = std::min(first + SheetCars, cars->size()) - 1;
        // One pass over the pattern, so a % in the name is never taken for a marker.
        paths << (sheets == 1 ? output
                              : QStringLiteral("%1-%2-%3%4").arg(output.chopped(4), QString::number(first),
                                                                 QString::number(last), output.right(4)));
        if (modLoad::SameFile(args[0], paths.back()))
            return refuse(QStringLiteral("%1 is the library to read; write the picture to another file.")
                              .arg(shown(paths.back())));
        if (QFileInfo(paths.back()).isDir())
            return refuse(QStringLiteral("Cannot write %1: it is a folder.").arg(shown(paths.back())));
    }
    // Names are drawn as text, which needs the fonts of a GUI application;
    // on the offscreen platform that needs no display.
    int argc = 3;
    char program[] = "velmar-car", option[] = "-platform", platform[] = "offscreen";
    char* argv[] = {program, option, platform, nullptr};
    const QGuiApplication fonts(argc, argv);
    ProgressLine progress;
    // Each sheet is written in full beside its name, and all take their places
    // only once the last is written: a failed run leaves every file as it was.
    modLoad::FileBatch batch;
    const auto fail = [&](const QString& error) {
        progress.Clear();
        return refuse(sheets == 1 ? error : error + QStringLiteral(" No sheet was put in place."));
    };
    SheetQueue drawn(*cars);
    for (std::size_t sheet = 0; sheet < sheets; ++sheet) {
        const EncodedSheet encoded = drawn.Next();
        if (!encoded.drawn)
            return fail(QStringLiteral("Not enough memory to draw %1.").arg(shown(paths[sheet])));
        if (encoded.png.isEmpty())
            return fail(QStringLiteral("Could not write %1: %2.").arg(shown(paths[sheet]), encoded.why));
        const modLoad::FileResult added = batch.Add(paths[sheet], encoded.png.size(), [&](QIODevice& out) {
            return modLoad::WriteAll(out, encoded.png.constData(), encoded.png.size());
        });
        if (!added)
            return fail(added.message);
        if (sheets > 1)
            progress.Show(QStringLiteral("velmar-car: %1 of %2 sheets written").arg(sheet + 1).arg(sheets));
    }
    if (const modLoad::FileResult committed = batch.Commit(); !committed)
        return fail(committed.message);
    progress.Clear();
    if (sheets > 1)
        note(QStringLiteral("%1 holds %2 cars, and one sheet shows %3; wrote %4 sheets, %5 to %6.")
                 .arg(shown(args[0]), QString::number(cars->size()), QString::number(SheetCars),
                      QString::number(sheets), shown(paths.front()), shown(paths.back())));
    return ExitOk;
}

struct Command {
    const char* name;
    const char* arguments;
    const char* summary;
    std::function<int(const QStringList&)> run;
};

const Command Commands[] = {
    {"list", "LIB", "one line per car: position, name, vertex and triangle counts", list},
    {"show", "LIB CAR", "the forty parameters of a car with the editor's number text, and its model's counts", show},
    {"dump", "LIB", "the whole library as JSON, on standard output", dump},
    {"build", "JSON OUT",
     "the library that JSON from dump describes, written to OUT (JSON - reads the standard input, OUT - writes the "
     "standard output unless it is a terminal)",
     build},
    {"diff", "A B", "what differs between two libraries, car by car and field by field", diff},
    {"export-obj", "LIB CAR OUT", "the car's model as a Wavefront OBJ file (OUT - writes the standard output)",
     exportObj},
    {"render", "LIB OUT.png",
     "a contact sheet of the library as PNG: each car's name over its XY, YZ and XZ views, 50 cars to a sheet",
     render},
};

}  // namespace

QString CommandHelp()
{
    QString text = QStringLiteral("Commands:\n");
    for (const Command& command : Commands)
        text += QStringLiteral("  %1 %2\n      %3\n").arg(QLatin1String(command.name), QLatin1String(command.arguments),
                                                       QLatin1String(command.summary));
    return text + QStringLiteral(
                      "\nLIB, A and B are car library files (.car). CAR is a position, counted from 0 as in the "
                      "editor's car list, or else a car's name, as list prints it (\\xNN for a control character) "
                      "or as it is. Positions count from 0 everywhere.\n"
                      "Exit status: 0 on success, 1 when an input is refused, 2 on a usage error.");
}

int RunCommand(const QStringList& arguments, bool namesOnly)
{
    const QString name = arguments.value(0);
    if (namesOnly && name != QLatin1String("list"))
        return UsageError(QStringLiteral("--names goes with list"));
    for (const Command& command : Commands) {
        if (name != QLatin1String(command.name))
            continue;
        const QStringList rest = arguments.mid(1);
        const qsizetype wanted = QString::fromLatin1(command.arguments).split(u' ').size();
        if (rest.size() != wanted)
            return UsageError(QStringLiteral("usage: velmar-car %1 %2").arg(name, QLatin1String(command.arguments)));
        return Flushed(namesOnly ? names(rest) : command.run(rest));
    }
    return UsageError(name.isEmpty() ? QStringLiteral("no command given")
                                     : QStringLiteral("\"%1\" is not a command").arg(name));
}

int UsageError(const QString& message)
{
    std::fprintf(stderr, "velmar-car: %s\nRun \"velmar-car --help\" for the commands.\n",
                 qPrintable(Printable(message)));
    return ExitUsage;
}

int Flushed(int status)
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    // A command that failed has said why already: one line for each failure.
    return status == ExitOk ? refuse(QStringLiteral("Could not write the standard output.")) : ExitRefused;
}

}  // namespace cli
