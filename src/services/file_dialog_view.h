#pragma once

class QFileDialog;

namespace orvalen {

// Makes the file dialog's detail view read like the rest of the program:
// modification dates in the default (Chinese) locale instead of the
// system's, and the size, type and date columns as wide as their texts each
// time a folder has loaded. Call before the dialog shows.
void fitFileDialogView(QFileDialog& dialog);

} // namespace orvalen
