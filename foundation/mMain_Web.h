#pragma once

#include <QString>

class QWidget;

namespace mMain {

// Opens a web address or a "file://" address of a local help page: first by starting
// the browser program with the address, and when that cannot start, through the
// desktop's handler of the address. False only when both failed.
bool OpenWebPage(const QString& address, QWidget* owner);

} // namespace mMain
