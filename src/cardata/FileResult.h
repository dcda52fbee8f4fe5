#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QString>

namespace modLoad {

// The outcome of a file operation: success, or a message for the user.
struct FileResult {
    bool ok = true;
    QString message;

    explicit operator bool() const { return ok; }
    static FileResult failure(QString text) { return {false, std::move(text)}; }
};

// The module's texts for the user, through Qt's translation: the editor shows
// them in the user's language, velmar-car, which loads no translation, in English.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(modLoad)
};

// A failure whose text names the file in place of %1 and gives the details in
// place of %2 on. One pass, so a % in a file name is left alone.
template <typename... Details>
FileResult FileFault(const QString& text, const QString& fileName, const Details&... details)
{
    return FileResult::failure(text.arg(QDir::toNativeSeparators(fileName), details...));
}
// A text that has not been through Text::tr is refused when compiled.
template <typename... Details>
FileResult FileFault(const char* text, const QString& fileName, const Details&... details) = delete;

}  // namespace modLoad
