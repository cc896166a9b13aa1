#pragma once

#include "RuntimeError.h"
#include "cDIBSection.h"

#include <QString>

// The JPEG writer.
namespace mIntelJPEGLibrary {

// Writes the section as a baseline JPEG file at the given quality (1 to 100) and returns
// true. An existing file, its name matched without regard to letter case, is replaced
// only by a complete new one, which then gets the old
// file's access and modification times and permission bits; a failed write leaves it as
// it was. Every failure raises RuntimeError: 26001 for the encoder and the file writing
// (source "<program>.mIntelJPEGLibrary"), 75 when the existing file is read-only.
bool SaveJPG(cDIBSection& section, const QString& fileName, int quality);

} // namespace mIntelJPEGLibrary
