#include "PicturePackImport.h"

namespace PicturePackImport {

QString Run() {
    return QString();
}

} // namespace PicturePackImport
