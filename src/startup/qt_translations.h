#pragma once

class QCoreApplication;

namespace orvalen {

// Loads Qt's own Chinese translations into the application, so the standard
// dialogs (font, colour, file) and the buttons of every message box speak
// Chinese like the rest of the program, and makes Chinese the default locale
// (the file types and dates in the file dialog). The file dialog's folders
// read 文件夹 too. False when they are not installed; Qt's texts then stay English.
bool installQtTranslations(QCoreApplication& app);

} // namespace orvalen
