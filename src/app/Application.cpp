#include "Application.h"

#include "Accessible.h"
#include "frmMain.h"

#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QMimeData>
#include <QPixmap>
#include <QUrl>
#include <QWindow>

namespace app {

namespace {

// Opens a library on the first expose of the window it watches, then goes.
class OpenOnExpose final : public QObject {
public:
    OpenOnExpose(frmMain& window, const QString& library) : QObject(&window), window(window), library(library) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            // After the expose is handled, outside the window system's event.
            QMetaObject::invokeMethod(&window, [this] { window.OpenLibrary(library), deleteLater(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    frmMain& window;
    const QString library;
};

// The icon as the build drew it: one square of RGBA bytes a size, named by its
// side. A file of another length is passed over rather than read past.
QIcon BuiltInIcon()
{
    QIcon icon;
    for (QDirIterator sizes(QStringLiteral(":/icon")); sizes.hasNext();) {
        QFile file(sizes.next());
        const int side = sizes.fileInfo().baseName().toInt();
        const QByteArray rgba = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (rgba.size() == qsizetype(4) * side * side)
            icon.addPixmap(QPixmap::fromImage(
                QImage(reinterpret_cast<const uchar*>(rgba.constData()), side, side, QImage::Format_RGBA8888)));
    }
    return icon;
}

}  // namespace

void SetUpApplication()
{
    // As the application name rather than a display name, so that window
    // captions stay exactly as each window sets them.
    QApplication::setApplicationName(QStringLiteral("Velmar Car Editor"));
    QApplication::setDesktopFileName(QStringLiteral("org.velmar.CarEditor"));
    QApplication::setWindowIcon(BuiltInIcon());
    ui::InstallAccessibility();
}

void OpenWhenShown(frmMain& window, const QString& library)
{
    window.show();
    window.windowHandle()->installEventFilter(new OpenOnExpose(window, library));
}

QString DroppedLibrary(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile())
        return {};
    const QString path = urls[0].toLocalFile();
    return path.endsWith(QLatin1String(".car"), Qt::CaseInsensitive) ? path : QString();
}

}  // namespace app
