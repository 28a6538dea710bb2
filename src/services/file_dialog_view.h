#pragma once

class QFileDialog;

namespace orvalen {

// Makes the file dialog's detail view read like the rest of the program:
// modification dates and sizes in the default (Chinese) locale instead of the
// system's, the size, type and date columns as wide as their texts each time
// a folder has loaded, and the dialog wide enough to show every column whole
// within its screen (the name column gives way where the screen is too
// narrow). Call before the dialog shows.
void fitFileDialogView(QFileDialog& dialog);

} // namespace orvalen
