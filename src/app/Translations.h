#pragma once

class QCoreApplication;

namespace app {

// Installs the editor's translation for the user's language, and Qt's own for
// the same language, so that standard buttons and file dialogs match the
// windows. Where the editor has no translation, as under C or English, none
// is installed and every text stays as written.
void InstallTranslations(QCoreApplication& application);

}  // namespace app
