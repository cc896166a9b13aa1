#pragma once

#include <QString>

// What keeps a book's folder from taking a copied picture: the folder itself, which every
// further picture would meet too.
enum class BookFolderTrouble { None, Gone, ReadOnly, Full };

// The trouble that copying the file `source` into the book folder meets: no such folder,
// a folder the owner may not write (as the program tells write protection, also for a
// privileged user), or too little room left on its disk for the file.
BookFolderTrouble TroubleOfBookFolder(const QString& folder, const QString& source);

// The adult's text for a trouble met while adding the picture `name`.
QString BookFolderTroubleText(BookFolderTrouble trouble, const QString& name,
                              const QString& folder);
