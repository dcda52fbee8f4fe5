#pragma once

#include "modLoad.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace cli {

using modLoad::IsControl;

// Outside text (a file name, a key, an argument) made safe for a terminal or a
// file of lines: control characters written as \xNN, and the invisible
// characters past Latin-1 that reorder or break lines as \uNNNN.
QString Printable(const QString& text);

// The name as lists show it, controls escaped as Printable escapes them, so
// that a hostile name cannot steer the terminal or break a line.
QString PrintableName(const modLoad::CarName& name);

// A line on standard error, when it is a terminal, that each Show replaces;
// Clear takes it away before other text follows. Elsewhere it shows nothing.
class ProgressLine {
public:
    ProgressLine();
    ~ProgressLine() { Clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Show(const QString& text);
    void Clear();

private:
    bool terminal_;
    qsizetype shown_ = 0;
};

// The model's fault list and exact floats, shared with the OBJ writer.
using modLoad::ExactDecimal;
using modLoad::ModelFaults;

}  // namespace cli
