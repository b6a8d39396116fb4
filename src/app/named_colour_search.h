#pragma once

class QColorDialog;
class QLineEdit;

namespace app {

// Puts a field at the top of the colour dialog that finds a named colour by its Chinese or
// English name, completing either as it is typed; a name it knows becomes the dialog's colour.
QLineEdit* addNamedColourSearch(QColorDialog& dialog);

} // namespace app
