#pragma once

#include <QString>

class QWidget;

namespace mMain {

// Opens a web address or a "file://" address of a local help page. A page on this
// computer (a "file:" address or a bare path) is shown in the program's own page window
// until the adult closes it; False when it is no readable file. A web address is handed
// first to the browser program, and when that cannot start, to the desktop's handler of
// the address; False only when both failed.
bool OpenWebPage(const QString& address, QWidget* owner);

} // namespace mMain
