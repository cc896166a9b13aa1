// The resources are compiled into this library by the generators of its subfolders.
