#pragma once

#include "modLoad.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

// C0 and C1 controls and DEL; every other Latin-1 character prints.
bool IsControl(QChar c);

// Outside text (a file name, a key, an argument) made safe for a terminal or a
// file of lines: control characters written as \xNN, and the invisible
// characters past Latin-1 that reorder or break lines as \uNNNN.
QString Printable(const QString& text);

// The name as lists show it, controls escaped as Printable escapes them, so
// that a hostile name cannot steer the terminal or break a line.
QString PrintableName(const modLoad::CarName& name);

// The shortest decimal that reads back as the same float, bit for bit, also
// when a reader parses a double and narrows it; none for NaN, the infinities
// and -0, which no plain decimal gives back, nor for the one float (and its
// negative) whose shortest decimal narrows to its neighbour.
std::optional<QByteArray> ExactDecimal(float value);

// Why the record lies outside the model, one sentence each; empty when it
// lies inside and every part of its model may be read.
QStringList ModelFaults(const modLoad::CarRecord& car);

}  // namespace cli
